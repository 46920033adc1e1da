#pragma once
#include <cstdint>
#include <string>

#include "link/BusyLoop.h"
#include "link/I2cMaster.h"
#include "link/Port.h"

namespace qk {

// The bit-banged I2C bus master on the parallel port. Every line change is one control-port write;
// timing comes only from the two busy-loop counts. Errors are sticky: a time-out sets its flag and
// zeroes its poll budget until I2cResetErrors, so a dead bus costs one full wait and no more.
class I2cBus : public I2cMaster {
  public:
    static constexpr int32_t FullPollBudget = 3000000;

    I2cBus(PortIo& port, I2cErrorSink& errors, FrameLogSink& log);

    // Releases both lines, lets them rise for a quarter period and reads them once. Lines only.
    HeldLine LineHeldLow() override;

    // Timing, set by the calibration (and by hand in the setup window).
    uint32_t HalfPeriodCount = 0;
    uint32_t QuarterPeriodCount = 0;

    // Poll budgets, part of the error state.
    int32_t AckTimeoutBudget = FullPollBudget;
    int32_t WaitTimeoutBudget = FullPollBudget;

    PortIo& Port() { return port_; }

    // The busy loop behind every delay; tests may count its iterations instead of spending them.
    using SpinFunction = void (*)(uint32_t iterations);
    SpinFunction Spin = &SpinLoop;

  protected:
    void SendWriteFrame(const uint8_t* frame, int count) override;
    void ReceiveReadFrame(uint8_t address, uint8_t* buffer, int count) override;
    void ResetMasterErrors() override;

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
    void HalfPeriodDelay() const;
    void QuarterPeriodDelay() const;
    void WaitSclHigh();
    void WaitAck();
    void I2cStart();
    void I2cStop();
    void I2cWriteByte(uint8_t value);
    uint8_t I2cReadByte();
    void I2cMasterAck();
    void I2cMasterNack();

    PortIo& port_;
};

}  // namespace qk
