#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/bus/Port.h"
#include "core/chips/ChipCatalogue.h"

namespace qk::board {

// The chip on the board: a catalogue chip the board plays (the value is its catalogue row), or
// one whose ID no QK3xx gives.
enum class Chip {
    QK310 = ChipIndex("QK310"),
    QK320 = ChipIndex("QK320"),
    QK350 = ChipIndex("QK350"),
    QK330 = ChipIndex("QK330"),
    Unknown = -1,
};

// The catalogue's row of the chip; null for Chip::Unknown.
const ChipInfo* InfoOf(Chip chip);
// The chips the board plays, in catalogue order (Chip::Unknown aside).
std::vector<Chip> PlayableChips();

enum class Fault {
    None,
    NoDevice,      // nothing answers: no acknowledge ever
    SclStuckLow,   // the clock line is held low
    SdaStuckLow,   // the data line is held low
    DataNotAcked,  // the address is acknowledged, data bytes are not
    ClockStretch,  // the chip holds SCL low for some status polls after each clock release
    StuckBit,      // one bit of one register reads 0 whatever is written (SetStuckBit)
};

// One frame as the chip decoded it: the address byte, then the bytes received (write frame) or
// the bytes the chip sent (read frame).
struct DecodedFrame {
    uint8_t address = 0;
    std::vector<uint8_t> bytes;
    bool IsRead() const { return address & 1; }
    std::string Text() const;  // "34 13 C9": address and bytes in upper-case hex
};

// A pin-level model of the evaluation board on LPT1: the master drives SDA with control bit 0 and
// SCL with control bit 1; both lines are open-drain (level = master AND chip); the status port
// shows SDA in bit 3 and SCL in bit 6. Behind the pins sits an I2C slave that reacts to line edges
// as a real chip does, changing SDA only while SCL is low.
class VirtualBoard : public PortIo {
  public:
    explicit VirtualBoard(Chip chip = Chip::QK310, uint8_t writeAddress = kChipWriteAddresses[0]);

    void SetFault(Fault fault, int stretchPolls = 0);
    // Fault::StuckBit at register `sub`, bit 0..7: the bit holds 0 whatever is written.
    void SetStuckBit(uint8_t sub, int bit);

    // A fault condition of the chip (a lost clock, a supply out of range) latches its status bit:
    // set, or cleared for an active-low bit. The bit stays latched after the condition ends, until
    // the master writes the register (the Zero write); a condition that still lasts latches again
    // at once. 00h's "No Errors" (bit 0) is clear while any error bit is latched.
    void BeginCondition(uint8_t reg, uint8_t mask, bool activeLow);
    void EndCondition(uint8_t reg, uint8_t mask);

    // Sees every change of the settled SCL and SDA levels, as the board's pins do.
    class LineObserver {
      public:
        virtual ~LineObserver() = default;
        virtual void OnLines(bool scl, bool sda) = 0;
    };
    void SetLineObserver(LineObserver* observer) { lineObserver_ = observer; }

    uint8_t PortRead(int port) override;
    void PortWrite(int port, uint8_t value) override;

    const std::vector<DecodedFrame>& Frames() const { return frames_; }
    std::vector<std::string> FrameTexts() const;
    void ClearFrames() { frames_.clear(); }
    const std::vector<uint8_t>& DataPortWrites() const { return dataWrites_; }
    uint64_t PortAccesses() const { return accesses_; }

    uint8_t Register(uint8_t sub) const { return regs_[sub]; }
    void SetRegister(uint8_t sub, uint8_t value) { regs_[sub] = value; }
    bool HasRegister(uint8_t sub) const { return exists_[sub]; }
    std::vector<std::pair<uint8_t, uint8_t>> ListRegisters() const;
    std::string RegisterListing() const;  // "00h=27 01h=00 ..." one register per item

    bool SdaLine() const { return sda_; }
    bool SclLine() const { return scl_; }

    // "QK350/60", or "unknown".
    static const char* ChipName(Chip chip);

  private:
    enum class State { Idle, Address, AckSlot, Receive, Send, MasterAckSlot, Ignore };

    bool LineSda() const;
    bool LineScl() const;
    void Settle();
    void OnStart();
    void OnStop();
    void OnSclRise();
    void OnSclFall();
    void ByteReceived();
    void LoadByteToSend();
    void StoreRegister(uint8_t value);
    void LatchConditions();

    struct Condition {
        uint8_t reg;
        uint8_t mask;
        bool activeLow;
    };

    uint8_t writeAddress_;
    // The Error Status bits that mean an error, and their level when all is well.
    uint8_t errorMask_ = 0;
    uint8_t errorFreeLevel_ = 0;
    std::vector<Condition> conditions_;
    LineObserver* lineObserver_ = nullptr;
    Fault fault_ = Fault::None;
    int stretchPolls_ = 0;
    int stretchLeft_ = 0;

    std::array<uint8_t, 256> regs_{};
    std::array<bool, 256> exists_{};
    std::array<bool, 256> readOnly_{};
    std::array<uint8_t, 256> stuckLow_{};  // bits held at 0

    // Drives (true = released) and the settled line levels.
    bool masterSda_ = true, masterScl_ = true, chipSda_ = true;
    bool sda_ = true, scl_ = true;

    State state_ = State::Idle;
    int bitCount_ = 0;
    uint8_t shift_ = 0;
    bool ackThisByte_ = false;
    bool masterAcked_ = false;
    bool pointerSet_ = false;
    uint8_t pointer_ = 0;
    int currentFrame_ = -1;  // index into frames_ while a frame is open

    std::vector<DecodedFrame> frames_;
    std::vector<uint8_t> dataWrites_;
    uint64_t accesses_ = 0;
};

}  // namespace qk::board
