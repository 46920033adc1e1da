#pragma once
#include <cstdint>
#include <string>
#include <vector>

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

// One frame as the master carried it (or, off line, only logged): what a watcher of the bus sees.
struct FrameRecord {
    enum class Kind { Write, Read, Probe };
    Kind kind = Kind::Write;
    uint8_t address = 0;         // the address byte as sent; bit 0 set on a read frame
    std::vector<uint8_t> bytes;  // the bytes written after the address (sub-address first)
    std::vector<uint8_t> read;   // the bytes read (read frames)
    bool offLine = false;        // OFF LINE: nothing reached the wire
    // The bus's error state after the frame. The flags are sticky, so once an error has come,
    // every later frame carries it too, until I2cResetErrors.
    bool ackError = false;
    bool waitError = false;
    bool otherError = false;
};

// Sees every frame as soon as it has ended.
class FrameObserver {
  public:
    virtual ~FrameObserver() = default;
    virtual void OnFrame(const FrameRecord& frame) = 0;
};

// The frame operations every bus master offers, whatever carries the bytes: the frames, the log,
// the sticky error state with its status lines and at-most-once dialogs, and OFF LINE. A master
// only says how one write frame and one read frame reach the wire, and reports what went wrong.
class I2cMaster {
  public:
    I2cMaster(I2cErrorSink& errors, FrameLogSink& log) : errors_(errors), log_(log) {}
    virtual ~I2cMaster() = default;
    I2cMaster(const I2cMaster&) = delete;
    I2cMaster& operator=(const I2cMaster&) = delete;

    // `address` is the 8-bit write address; the `count` bytes go out in order (or are read into
    // `buffer`). Each returns whether the bus is free of errors afterwards: false once an
    // acknowledge or the clock has failed, until I2cResetErrors.
    bool I2cWrite(uint8_t address, const uint8_t* bytes, int count);
    bool I2cWriteSub(uint8_t address, uint8_t subAddress, const uint8_t* bytes, int count);
    // The sub-address write frame (ended by a STOP), then a read frame of `count` bytes.
    bool I2cRead(uint8_t address, uint8_t subAddress, uint8_t* buffer, int count);
    // A write frame that shows no dialog on failure, and runs even while OFF LINE.
    [[nodiscard]] bool I2cProbe(uint8_t address, uint8_t subAddress, const uint8_t* bytes,
                                int count);
    void I2cResetErrors();

    // Watchers of the frames; an observer must be removed before it is destroyed.
    void AddFrameObserver(FrameObserver* observer);
    void RemoveFrameObserver(FrameObserver* observer);

    // True while a frame operation runs, or a long operation holds the bus: a modal dialog shown
    // from inside a frame spins the event loop, and nothing else may use the bus meanwhile.
    bool Busy() const { return busyDepth_ > 0; }
    // Holds the bus for a sequence of frames that must not be interleaved (READ ALL, a restore).
    class LongOperation {
      public:
        explicit LongOperation(I2cMaster& master) : master_(master) { ++master_.busyDepth_; }
        ~LongOperation() { --master_.busyDepth_; }
        LongOperation(const LongOperation&) = delete;
        LongOperation& operator=(const LongOperation&) = delete;

      private:
        I2cMaster& master_;
    };

    // A line that stays low once both are released makes every acknowledge read as given: such a
    // bus must not pass for a chip. Masters that cannot see the lines report None.
    enum class HeldLine { None, Sda, Scl };
    virtual HeldLine LineHeldLow() { return HeldLine::None; }

    // OFF LINE: frame operations leave the wire alone but still log; the probe ignores it.
    bool OffLine = false;

    // Error state.
    bool Probing = false;
    int32_t AckErrorFlag = 0;
    int32_t WaitErrorFlag = 0;
    int32_t OtherErrorFlag = 0;  // any other failure the master reports in its own words
    int32_t AckDialogCount = 0;
    int32_t WaitDialogCount = 0;
    std::string AckErrorText = "ACK Error";
    std::string WaitErrorText = "Wait Error";

  protected:
    // One frame on the wire: START, frame[0] (the address byte as given), the other bytes, STOP.
    virtual void SendWriteFrame(const uint8_t* frame, int count) = 0;
    // START, `address` | 1, `count` bytes into `buffer` (acknowledged but the last), STOP.
    virtual void ReceiveReadFrame(uint8_t address, uint8_t* buffer, int count) = 0;
    // What a master resets besides the shared error state.
    virtual void ResetMasterErrors() {}

    bool ErrorFree() const {
        return AckErrorFlag == 0 && WaitErrorFlag == 0 && OtherErrorFlag == 0;
    }
    void ReportAckError();
    void ReportWaitError();
    // Shown on the red line once until I2cResetErrors.
    void ReportOtherError(const std::string& text);

  private:
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
    void SendAddressedFrame(uint8_t address, uint8_t subAddress, const uint8_t* bytes, int count);
    void LogFrame(uint8_t address, const uint8_t* subAddress, const uint8_t* bytes, int count);
    void Tell(FrameRecord::Kind kind, uint8_t address, const uint8_t* subAddress,
              const uint8_t* bytes, int count, const uint8_t* read = nullptr, int readCount = 0);

    I2cErrorSink& errors_;
    FrameLogSink& log_;
    std::vector<FrameObserver*> observers_;
    int busyDepth_ = 0;
};

}  // namespace qk
