#pragma once
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "board/WirePhases.h"
#include "core/bus/Port.h"

namespace qk::test {

// What the engines of every emulated bridge share: the modelled clock and what the wires showed.
struct MpsseTrace {
    // The modelled clock in periods of the engine's 60 MHz base: every half-period the engine can
    // make and 0.1 us are whole numbers of them.
    static constexpr int64_t TicksPerMicrosecond = 60;
    static std::chrono::nanoseconds TimeOf(int64_t ticks) {
        return std::chrono::nanoseconds((ticks * 1000 + TicksPerMicrosecond / 2) /
                                        TicksPerMicrosecond);
    }

    int64_t ticks = 0;
    long commandBytes = 0;
    bool sdaInTied = true;  // AD2 wired to SDA; else it reads high
    board::WirePhases phases;
    std::vector<std::string> failures;
};

// The MPSSE engine of one interface of an FTDI bridge, at pin level: it runs the command stream
// the program writes, moves ADBUS0..7 as the commands say and shows the board (a PortIo) the two
// I2C lines: AD0 = SCL, AD1 = SDA out, AD2 = SDA in. A pin pulls its line low when it is an output
// at level 0; an output at level 1 drives high, push-pull, unless drive-zero mode lets it float.
// The board is read after each change of the pins and wherever the engine samples them (a chip
// that stretches the clock counts each such read as one of its polls).
class MpsseEngine {
  public:
    enum class Kind {
        FT2232D,  // 12 MHz base, none of the high-speed chips' commands
        FT2232H,  // and FT4232H: 60 MHz base, three-phase clocking, no drive-zero mode
        FT232H,   // and drive-zero mode
    };

    MpsseEngine(Kind kind, PortIo* pins) : kind_(kind), pins_(pins) {}

    // ftdi_set_bitmode: entering MPSSE mode resets the engine; leaving it makes every pin an input.
    void SetMpsse(bool on, MpsseTrace& trace);
    bool InMpsseMode() const { return mpsse_; }
    // Runs the commands in `bytes`; a command whose bytes have not all arrived waits for the rest.
    void Execute(const uint8_t* bytes, size_t count, MpsseTrace& trace);
    // Drops the answers not yet read and a command not yet complete.
    void Purge();
    // The bridge is unplugged: every pin floats.
    void Unpower(MpsseTrace& trace);

    // Answers that reached the PC (sent by 0x87), and those still waiting in the chip.
    size_t Sendable() const { return sendable_; }
    size_t Waiting() const { return answers_.size() - sendable_; }
    void SendAll() { sendable_ = answers_.size(); }  // the latency timer expired
    size_t Take(uint8_t* out, size_t most);

  private:
    struct LineDrive {
        bool low = false, high = false;  // some pin pulls the line low / drives it high
    };
    struct Lines {
        bool scl = true, sda = true;
    };

    void Run(uint8_t opcode, const uint8_t* args, MpsseTrace& trace);

    bool Level(int pin) const;
    bool Output(int pin) const { return direction_ >> pin & 1; }
    LineDrive DriveOf(int pin) const;
    LineDrive SdaDrive(const MpsseTrace& trace) const;
    void Apply(MpsseTrace& trace);
    Lines Sense(MpsseTrace& trace, LineDrive scl, LineDrive sda);
    Lines Sample(MpsseTrace& trace) { return Sense(trace, DriveOf(0), SdaDrive(trace)); }
    bool Tdo(MpsseTrace& trace);
    void Contend(MpsseTrace& trace, const char* line, bool now, bool& before);
    uint8_t ReadPins(MpsseTrace& trace);
    int64_t HalfPeriod() const;
    uint8_t Clock(int bits, std::optional<uint8_t> data, bool read, MpsseTrace& trace);
    void Answer(uint8_t byte) { answers_.push_back(byte); }

    Kind kind_;
    PortIo* pins_;
    bool mpsse_ = false;
    std::vector<uint8_t> partial_;  // bytes of a command still arriving
    long streamOffset_ = 0;         // stream bytes run since MPSSE mode was entered
    std::vector<uint8_t> answers_;
    size_t sendable_ = 0;

    uint8_t value_ = 0, direction_ = 0, driveZero_ = 0;
    uint16_t divisor_ = 0;
    bool divideBy5_ = true, threePhase_ = false, loopback_ = false;
    bool tckActive_ = false;                     // TCK in the opposite phase from its idle level
    std::optional<bool> tdi_;                    // the data bit on AD1 during a write command
    uint8_t control_ = ControlSda | ControlScl;  // what the board was last shown
    bool sclDrivenHigh_ = false, sdaDrivenHigh_ = false;
    bool sclContending_ = false, sdaContending_ = false;
    Lines recorded_;                      // the levels the run last recorded
    std::vector<board::LineSample> run_;  // changes since the lines were last idle
};

}  // namespace qk::test
