#include "tests/support/MpsseEngine.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace qk::test {
namespace {

constexpr int64_t CommandTicks = 6;  // 0.1 us: every command that does not clock
constexpr uint8_t BadCommand = 0xFA;

// The commands the emulation runs: the opcode, the bytes after it and the chips that know it.
struct MpsseCommand {
    enum Needs { Any, HighSpeed, DriveZero };
    uint8_t opcode;
    uint8_t argBytes;
    Needs needs = Any;
    bool dataFollows = false;  // a write of bytes: its length + 1 data bytes follow the arguments
};

constexpr MpsseCommand Commands[] = {
    {.opcode = 0x80, .argBytes = 2},  // set ADBUS: value, direction
    {.opcode = 0x81, .argBytes = 0},  // read ADBUS
    {.opcode = 0x82, .argBytes = 2},  // set ACBUS (no pins modelled)
    {.opcode = 0x83, .argBytes = 0},  // read ACBUS
    {.opcode = 0x84, .argBytes = 0},  // loopback on
    {.opcode = 0x85, .argBytes = 0},  // loopback off
    {.opcode = 0x86, .argBytes = 2},  // clock divisor
    {.opcode = 0x87, .argBytes = 0},  // send immediate
    {.opcode = 0x8A, .argBytes = 0, .needs = MpsseCommand::HighSpeed},  // divide-by-5 off
    {.opcode = 0x8B, .argBytes = 0, .needs = MpsseCommand::HighSpeed},  // divide-by-5 on
    {.opcode = 0x8C, .argBytes = 0, .needs = MpsseCommand::HighSpeed},  // three-phase on
    {.opcode = 0x8D, .argBytes = 0, .needs = MpsseCommand::HighSpeed},  // three-phase off
    {.opcode = 0x8E, .argBytes = 1, .needs = MpsseCommand::HighSpeed},  // clock n+1 bits
    {.opcode = 0x8F, .argBytes = 2, .needs = MpsseCommand::HighSpeed},  // clock (N+1) x 8 bits
    {.opcode = 0x96, .argBytes = 0, .needs = MpsseCommand::HighSpeed},  // adaptive clocking on
    {.opcode = 0x97, .argBytes = 0, .needs = MpsseCommand::HighSpeed},  // adaptive clocking off
    {.opcode = 0x9E, .argBytes = 2, .needs = MpsseCommand::DriveZero},  // drive-zero masks
    {.opcode = 0x20, .argBytes = 2},                                    // read len+1 bytes
    {.opcode = 0x22, .argBytes = 1},                                    // read n+1 bits
    {.opcode = 0x11, .argBytes = 2, .dataFollows = true},               // write len+1 bytes
    {.opcode = 0x13, .argBytes = 2},                                    // write n+1 bits
};

const MpsseCommand* FindCommand(uint8_t opcode) {
    const auto* found = std::find_if(std::begin(Commands), std::end(Commands),
                                     [&](const MpsseCommand& c) { return c.opcode == opcode; });
    return found == std::end(Commands) ? nullptr : found;
}

bool Offers(MpsseEngine::Kind kind, const MpsseCommand& command) {
    switch (command.needs) {
        case MpsseCommand::HighSpeed:
            return kind != MpsseEngine::Kind::FT2232D;
        case MpsseCommand::DriveZero:
            return kind == MpsseEngine::Kind::FT232H;
        default:
            return true;
    }
}

// Opcodes outside the engine's command set, which it answers as bad commands (0xAA and 0xAB
// among them). Opcodes inside it that the emulation does not run stop the test instead.
bool AnsweredAsBad(uint8_t opcode) {
    return opcode < 0x10 || opcode > 0x9E;
}

}  // namespace

void MpsseEngine::SetMpsse(bool on, MpsseTrace& trace) {
    if (on) {
        value_ = direction_ = driveZero_ = 0;
        divisor_ = 0;
        divideBy5_ = true;  // the high-speed chips start with the FT2232D's 12 MHz base
        threePhase_ = loopback_ = tckActive_ = false;
        tdi_.reset();
        partial_.clear();
        streamOffset_ = 0;
    } else {
        direction_ = 0;
    }
    mpsse_ = on;
    Apply(trace);
}

void MpsseEngine::Purge() {
    answers_.clear();
    sendable_ = 0;
    partial_.clear();
}

void MpsseEngine::Unpower(MpsseTrace& trace) {
    Purge();
    mpsse_ = false;
    direction_ = 0;
    Apply(trace);
}

size_t MpsseEngine::Take(uint8_t* out, size_t most) {
    const size_t count = std::min(most, sendable_);
    std::copy_n(answers_.begin(), count, out);
    answers_.erase(answers_.begin(), answers_.begin() + static_cast<std::ptrdiff_t>(count));
    sendable_ -= count;
    return count;
}

void MpsseEngine::Execute(const uint8_t* bytes, size_t count, MpsseTrace& trace) {
    partial_.insert(partial_.end(), bytes, bytes + count);
    size_t at = 0;
    while (at < partial_.size()) {
        const uint8_t opcode = partial_[at];
        const MpsseCommand* command = FindCommand(opcode);
        if (!command && !AnsweredAsBad(opcode)) {
            std::fprintf(stderr,
                         "emulated FTDI engine: opcode 0x%02X (byte %ld of the stream) is not one "
                         "it knows\n",
                         opcode, streamOffset_);
            std::abort();
        }
        size_t length = 1;
        if (command && Offers(kind_, *command)) {
            length += command->argBytes;
            if (command->dataFollows && partial_.size() - at >= length)
                length += (partial_[at + 1] | partial_[at + 2] << 8) + 1u;
            if (partial_.size() - at < length) break;  // the rest comes with the next write
            Run(opcode, partial_.data() + at + 1, trace);
        } else {
            Answer(BadCommand);
            Answer(opcode);
            trace.ticks += CommandTicks;
        }
        at += length;
        streamOffset_ += static_cast<long>(length);
    }
    partial_.erase(partial_.begin(), partial_.begin() + static_cast<std::ptrdiff_t>(at));
    // WirePhases takes runs that start from idle lines.
    if (recorded_.scl && recorded_.sda && !run_.empty()) {
        trace.phases.Add(run_);
        run_.clear();
    }
}

void MpsseEngine::Run(uint8_t opcode, const uint8_t* args, MpsseTrace& trace) {
    const auto word = [args] { return unsigned(args[0] | args[1] << 8); };
    switch (opcode) {
        case 0x80:
            value_ = args[0];
            direction_ = args[1];
            Apply(trace);
            break;
        case 0x81:
            Answer(ReadPins(trace));
            break;
        case 0x83:
            Answer(0xFF);
            break;
        case 0x84:
        case 0x85:
            loopback_ = opcode == 0x84;
            break;
        case 0x86:
            divisor_ = static_cast<uint16_t>(word());
            break;
        case 0x87:
            SendAll();
            break;
        case 0x8A:
        case 0x8B:
            divideBy5_ = opcode == 0x8B;
            break;
        case 0x8C:
        case 0x8D:
            threePhase_ = opcode == 0x8C;
            break;
        case 0x9E:
            driveZero_ = args[0];
            Apply(trace);
            break;
        case 0x8E:
            Clock((args[0] & 7) + 1, {}, false, trace);
            return;
        case 0x8F:
            for (unsigned byte = 0; byte <= word(); ++byte) Clock(8, {}, false, trace);
            return;
        case 0x20:
            for (unsigned byte = 0; byte <= word(); ++byte) Answer(Clock(8, {}, true, trace));
            return;
        case 0x22:
            Answer(Clock((args[0] & 7) + 1, {}, true, trace));
            return;
        case 0x11:
            for (unsigned byte = 0; byte <= word(); ++byte) Clock(8, args[2 + byte], false, trace);
            return;
        case 0x13:
            Clock((args[0] & 7) + 1, args[1], false, trace);
            return;
        default:  // 0x82, 0x96, 0x97: accepted, nothing modelled moves
            break;
    }
    trace.ticks += CommandTicks;
}

bool MpsseEngine::Level(int pin) const {
    if (pin == 0) return (value_ & 1) != tckActive_;  // TCK idles at the value bit
    if (pin == 1 && tdi_) return *tdi_;
    return value_ >> pin & 1;
}

MpsseEngine::LineDrive MpsseEngine::DriveOf(int pin) const {
    if (!Output(pin)) return {};
    if (!Level(pin)) return {.low = true};
    return {.high = !(driveZero_ >> pin & 1)};
}

MpsseEngine::LineDrive MpsseEngine::SdaDrive(const MpsseTrace& trace) const {
    LineDrive sda = DriveOf(1);
    if (trace.sdaInTied) {
        const LineDrive in = DriveOf(2);
        sda = {.low = sda.low || in.low, .high = sda.high || in.high};
    }
    return sda;
}

// Shows the board a change of the pins: a line is released unless some pin pulls it low.
void MpsseEngine::Apply(MpsseTrace& trace) {
    const LineDrive scl = DriveOf(0), sda = SdaDrive(trace);
    const uint8_t control = (scl.low ? 0 : ControlScl) | (sda.low ? 0 : ControlSda);
    if (control == control_ && scl.high == sclDrivenHigh_ && sda.high == sdaDrivenHigh_) return;
    sclDrivenHigh_ = scl.high;
    sdaDrivenHigh_ = sda.high;
    if (control != control_ && pins_) pins_->PortWrite(ControlPort, control);
    control_ = control;
    Sense(trace, scl, sda);
}

// The line levels now; on a board, read from it, checked for contention and recorded.
MpsseEngine::Lines MpsseEngine::Sense(MpsseTrace& trace, LineDrive scl, LineDrive sda) {
    if (!pins_) return {.scl = !scl.low, .sda = !sda.low};
    const uint8_t status = pins_->PortRead(StatusPort);
    const Lines lines{.scl = (status & StatusScl) != 0, .sda = (status & StatusSda) != 0};
    Contend(trace, "SCL", scl.high && !lines.scl, sclContending_);
    Contend(trace, "SDA", sda.high && !lines.sda, sdaContending_);
    if (lines.scl != recorded_.scl || lines.sda != recorded_.sda) {
        const auto now = MpsseTrace::TimeOf(trace.ticks);
        run_.push_back({.called = now, .returned = now, .scl = lines.scl, .sda = lines.sda});
        recorded_ = lines;
    }
    return lines;
}

void MpsseEngine::Contend(MpsseTrace& trace, const char* line, bool now, bool& before) {
    if (now && !before) {
        char text[120];
        std::snprintf(text, sizeof text,
                      "%s contention at %.3f us: the bridge drives it high, the board holds it low",
                      line, static_cast<double>(trace.ticks) / MpsseTrace::TicksPerMicrosecond);
        trace.failures.emplace_back(text);
    }
    before = now;
}

uint8_t MpsseEngine::ReadPins(MpsseTrace& trace) {
    const Lines lines = Sample(trace);
    uint8_t pins = 0;
    for (int pin = 0; pin < 8; ++pin) {
        const LineDrive drive = DriveOf(pin);
        bool level = true;  // an input with nothing on it reads high
        if (drive.low || drive.high)
            level = Level(pin);
        else if (pin == 0)
            level = lines.scl;
        else if (pin == 1 || (pin == 2 && trace.sdaInTied))
            level = lines.sda;
        pins = static_cast<uint8_t>(pins | level << pin);
    }
    return pins;
}

bool MpsseEngine::Tdo(MpsseTrace& trace) {
    if (loopback_) return Level(1);
    return !trace.sdaInTied || Sample(trace).sda;
}

int64_t MpsseEngine::HalfPeriod() const {
    const bool slowBase = kind_ == Kind::FT2232D || divideBy5_;
    return (1 + int64_t{divisor_}) * (slowBase ? 5 : 1);
}

// Clocks `bits` bits, writing `data` MSB first on TDI if given; returns the bits read at the
// rising edges, shifted in at bit 0. A bit is TCK low with the data set up, TCK high, and with
// three-phase clocking TCK low again to hold the data.
uint8_t MpsseEngine::Clock(int bits, std::optional<uint8_t> data, bool read, MpsseTrace& trace) {
    const int64_t half = HalfPeriod();
    uint8_t in = 0;
    for (int bit = 0; bit < bits; ++bit) {
        if (data) {
            tdi_ = (*data >> (7 - bit) & 1) != 0;
            Apply(trace);
        }
        trace.ticks += half;
        tckActive_ = true;
        Apply(trace);
        if (read) in = static_cast<uint8_t>(in << 1 | (Tdo(trace) ? 1 : 0));
        trace.ticks += half;
        tckActive_ = false;
        Apply(trace);
        if (threePhase_) trace.ticks += half;
    }
    if (data) {
        tdi_.reset();  // AD1 goes back to its value bit
        Apply(trace);
    }
    return in;
}

}  // namespace qk::test
