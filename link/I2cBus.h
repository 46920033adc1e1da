#pragma once
#include <cstdint>
#include <string>

#include "link/BusyLoop.h"
#include "link/Port.h"

namespace qk {

// Where bus errors are shown: the main window's three status lines and the two modal dialogs.
class I2cErrorSink {
  public:
    virtual ~I2cErrorSink() = default;
    virtual void ShowFirstErrorLine(const std::string& text) = 0;   // made visible, then the text
    virtual void ShowSecondErrorLine(const std::string& text) = 0;  // made visible, then the text
    virtual void ShowErrorLine(const std::string& text) = 0;        // the red third line
    virtual void ShowAckErrorDialog() = 0;                          // modal; returns when closed
    virtual void ShowWaitErrorDialog() = 0;
};

// Receives every logged frame: LogMarker('{'), LogByte per byte, LogMarker('}').
class FrameLogSink {
  public:
    virtual ~FrameLogSink() = default;
    virtual void LogMarker(char marker) = 0;
    virtual void LogByte(uint8_t value) = 0;
};

// The bit-banged I2C bus master on the parallel port. Every line change is one control-port write;
// timing comes only from the two busy-loop counts. Errors are sticky: a time-out sets its flag and
// zeroes its poll budget until I2cResetErrors, so a dead bus costs one full wait and no more.
class I2cBus {
  public:
    static constexpr int32_t FullPollBudget = 3000000;

    I2cBus(PortIo& port, I2cErrorSink& errors, FrameLogSink& log);

    // Frame operations. `address` is the 8-bit write address; the `count` bytes go out in order
    // (or are read into `buffer`). Each returns whether the bus is free of errors afterwards:
    // false once an acknowledge or the clock has failed, until I2cResetErrors.
    bool I2cWrite(uint8_t address, const uint8_t* bytes, int count);
    bool I2cWriteSub(uint8_t address, uint8_t subAddress, const uint8_t* bytes, int count);
    bool I2cRead(uint8_t address, uint8_t subAddress, uint8_t* buffer, int count);
    // A write frame that shows no dialog on failure, and runs even while OFF LINE.
    [[nodiscard]] bool I2cProbe(uint8_t address, uint8_t subAddress, const uint8_t* bytes,
                                int count);
    void I2cResetErrors();

    // A line that stays low once both are released (a short, a missing pull-up) makes every
    // acknowledge read as given and every byte read as zero: such a bus must not pass for a chip.
    enum class HeldLine { None, Sda, Scl };
    // Releases both lines, lets them rise for a quarter period and reads them once. Lines only.
    HeldLine LineHeldLow();

    // Timing, set by the calibration (and by hand in the setup window).
    uint32_t HalfPeriodCount = 0;
    uint32_t QuarterPeriodCount = 0;

    // OFF LINE: frame operations leave the wire alone but still log; the probe ignores it.
    bool OffLine = false;

    // Error state.
    bool Probing = false;
    int32_t AckErrorFlag = 0;
    int32_t WaitErrorFlag = 0;
    int32_t AckTimeoutBudget = FullPollBudget;
    int32_t WaitTimeoutBudget = FullPollBudget;
    int32_t AckDialogCount = 0;
    int32_t WaitDialogCount = 0;
    std::string AckErrorText = "ACK Error";
    std::string WaitErrorText = "Wait Error";

    PortIo& Port() { return port_; }

    // The busy loop behind every delay; tests may count its iterations instead of spending them.
    using SpinFunction = void (*)(uint32_t iterations);
    SpinFunction Spin = &SpinLoop;

  private:
    // What the master drives on the control port; a released line is pulled high (open drain).
    enum Lines : uint8_t {
        BothLow = 0,
        SdaReleased = ControlSda,  // SCL low
        SclReleased = ControlScl,  // SDA low
        BothReleased = ControlSda | ControlScl,
    };
    static Lines Drive(bool sdaReleased, bool sclReleased) {
        return static_cast<Lines>((sdaReleased ? ControlSda : 0) | (sclReleased ? ControlScl : 0));
    }

    void Out(Lines lines) { port_.PortWrite(ControlPort, lines); }
    bool ErrorFree() const { return AckErrorFlag == 0 && WaitErrorFlag == 0; }
    void HalfPeriodDelay() const;
    void QuarterPeriodDelay() const;
    void WaitSclHigh();
    void WaitAck();
    // One kind of bus error: its flag, its text and its dialog.
    struct ErrorKind {
        int32_t& flag;
        const int32_t& otherFlag;
        const std::string& text;
        int32_t& dialogCount;
        void (I2cErrorSink::*showDialog)();
        bool onRedLine;  // the ACK error is also shown on the red third line
    };
    void Report(const ErrorKind& kind);
    void ReportAckError();
    void ReportWaitError();

    void I2cStart();
    void I2cStop();
    void I2cWriteByte(uint8_t value);
    uint8_t I2cReadByte();
    void I2cMasterAck();
    void I2cMasterNack();
    void SendAddressedFrame(uint8_t address, uint8_t subAddress, const uint8_t* bytes, int count);

    PortIo& port_;
    I2cErrorSink& errors_;
    FrameLogSink& log_;
};

}  // namespace qk
