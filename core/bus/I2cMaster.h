#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qk {

// The I2C standard's modes an adapter that sets its own clock can be asked for: 100 kHz and
// 400 kHz at most.
enum class I2cSpeed { Standard, Fast };

// A bus error, told the moment the master meets it: inside the frame, before the frame's end is
// logged or observed. Whoever listens decides what to show of it.
struct BusErrorEvent {
    enum class Kind {
        Ack,   // an acknowledge did not come
        Wait,  // the clock line was held low past its time
        Other  // any other failure, in the master's own words
    };
    Kind kind = Kind::Ack;
    uint8_t address = 0;                // the frame's address byte; bit 0 set on a read frame
    std::optional<uint8_t> subAddress;  // the register, when the frame had one
    std::string text;                   // "ACK Error", "Wait Error", or the master's words
    bool firstOfKind = false;           // the first of its kind since I2cResetErrors
    bool probing = false;               // inside I2cProbe, whose failure is an answer, not a fault
    // Kind::Ack: the byte of the frame that was not acknowledged, 0 the address byte, 1 the first
    // byte after it (a write frame's sub-address); -1 when the master cannot tell which.
    int unacknowledgedByte = -1;
};

class BusErrorListener {
  public:
    virtual ~BusErrorListener() = default;
    virtual void OnBusError(const BusErrorEvent& event) = 0;
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
// the sticky error state told to its listeners, and OFF LINE. A master only says how one write
// frame and one read frame reach the wire, and reports what went wrong.
class I2cMaster {
  public:
    static inline const std::string AckErrorText = "ACK Error";
    static inline const std::string WaitErrorText = "Wait Error";

    explicit I2cMaster(FrameLogSink& log) : log_(log) {}
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

    // Watchers of the frames and listeners to the errors; each must be removed before it is
    // destroyed.
    void AddFrameObserver(FrameObserver* observer);
    void RemoveFrameObserver(FrameObserver* observer);
    void AddBusErrorListener(BusErrorListener* listener);
    void RemoveBusErrorListener(BusErrorListener* listener);

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
    bool OffLine() const { return offLine_; }
    void SetOffLine(bool offLine) { offLine_ = offLine; }

    // The sticky error state: each kind met since I2cResetErrors.
    bool AckError() const { return ackError_; }
    bool WaitError() const { return waitError_; }
    bool OtherError() const { return otherError_; }
    bool Probing() const { return probing_; }

  protected:
    // One frame on the wire: START, frame[0] (the address byte as given), the other bytes, STOP.
    virtual void SendWriteFrame(const uint8_t* frame, int count) = 0;
    // START, `address` | 1, `count` bytes into `buffer` (acknowledged but the last), STOP.
    virtual void ReceiveReadFrame(uint8_t address, uint8_t* buffer, int count) = 0;
    // What a master resets besides the shared error state.
    virtual void ResetMasterErrors() {}

    bool ErrorFree() const { return !ackError_ && !waitError_ && !otherError_; }
    void ReportAckError(int byte = -1) {
        Report(BusErrorEvent::Kind::Ack, ackError_, AckErrorText, byte);
    }
    void ReportWaitError() { Report(BusErrorEvent::Kind::Wait, waitError_, WaitErrorText); }
    void ReportOtherError(const std::string& text) {
        Report(BusErrorEvent::Kind::Other, otherError_, text);
    }

  private:
    void Report(BusErrorEvent::Kind kind, bool& flag, const std::string& text,
                int unacknowledgedByte = -1);
    // The frame the errors come from, set by each frame operation.
    void Aim(uint8_t address, const uint8_t* subAddress);
    void SendAddressedFrame(uint8_t address, uint8_t subAddress, const uint8_t* bytes, int count);
    void LogFrame(uint8_t address, const uint8_t* subAddress, const uint8_t* bytes, int count);
    void Tell(FrameRecord::Kind kind, uint8_t address, const uint8_t* subAddress,
              const uint8_t* bytes, int count, const uint8_t* read = nullptr, int readCount = 0);

    FrameLogSink& log_;
    std::vector<FrameObserver*> observers_;
    std::vector<BusErrorListener*> listeners_;
    int busyDepth_ = 0;
    bool offLine_ = false;
    bool probing_ = false;
    bool ackError_ = false;
    bool waitError_ = false;
    bool otherError_ = false;
    uint8_t aimAddress_ = 0;
    std::optional<uint8_t> aimSubAddress_;
};

}  // namespace qk
