#include "cli/BusSession.h"

#include <cctype>

#include "cli/BoardState.h"
#include "cli/ExitCode.h"
#include "cli/Numbers.h"
#include "cli/StopSignals.h"
#include "core/bus/Adapters.h"
#include "core/bus/Datalog.h"
#include "core/bus/I2cBus.h"
#include "core/bus/PpdevPort.h"
#include "core/bus/SclCalibration.h"
#include "core/chips/ChipFacts.h"

namespace qk::cli {

namespace {

// START's clock: a 10 us period, 100 kHz.
constexpr double SclPeriodMicroseconds = 10.0;
constexpr uint8_t FirstAddress = kChipWriteAddresses[0], SecondAddress = kChipWriteAddresses[1];

// Sees the end of every frame: hands the frame to the log (with --log), counts it, and ends the
// run there when a stop signal has come, so that a run never stops inside a frame.
struct FrameEnds : FrameLogSink {
    void LogMarker(char marker) override {
        if (log) log->LogMarker(marker);
        if (marker != '}') return;
        ++frames;
        StopIfSignalled();
    }
    void LogByte(uint8_t value) override {
        if (log) log->LogByte(value);
    }
    FrameLogSink* log = nullptr;
    int frames = 0;
};

std::string Tell(const std::string& text) {
    return "qk3xx-cli: " + text + "\n";
}

std::string SevenBit(uint8_t writeAddress) {
    return Hex(static_cast<uint8_t>(writeAddress >> 1));
}

// " data byte 2 of register 03h": which byte after the address the chip left unacknowledged,
// counted from 1 (the sub-address); empty for the address byte or when the master cannot tell.
std::string UnacknowledgedByteText(const BusErrorEvent& event) {
    if (event.unacknowledgedByte < 1) return {};
    std::string text = " data byte " + std::to_string(event.unacknowledgedByte);
    if (event.subAddress) {
        std::string digits = HexDigits(*event.subAddress);
        for (char& c : digits) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        text += " of register " + digits + "h";
    }
    return text;
}

}  // namespace

struct BusSession::Parts {
    FrameEnds frameEnds;
    std::unique_ptr<TransactionLog> log;
    std::unique_ptr<BoardStateFile> state;
    std::unique_ptr<PortIo> port;
    std::unique_ptr<I2cMaster> master;
    FrameLogSink& Log() { return frameEnds; }
};

BusSession::BusSession(BusChoice choice, std::ostream& err)
    : choice_(std::move(choice)), err_(err), parts_(std::make_unique<Parts>()) {
    if (choice_.address) address_ = *choice_.address;
}

BusSession::~BusSession() = default;

// Each kind of error is told once until I2cResetErrors. A probe's missing acknowledge or held
// clock is an answer, not a fault: FindChip tells what it means.
void BusSession::OnBusError(const BusErrorEvent& event) {
    if (event.probing && event.kind == BusErrorEvent::Kind::Ack && probeUnacknowledged_ < 0)
        probeUnacknowledged_ = event.unacknowledgedByte;
    if (!event.firstOfKind) return;
    switch (event.kind) {
        case BusErrorEvent::Kind::Ack:
            if (!event.probing)
                err_ << Tell(event.text + ": the chip at " + SevenBit(aim_.value_or(address_)) +
                             " did not acknowledge" + UnacknowledgedByteText(event));
            break;
        case BusErrorEvent::Kind::Wait:
            if (!event.probing) err_ << Tell(event.text + ": the clock line (SCL) is held low");
            break;
        case BusErrorEvent::Kind::Other:
            err_ << Tell(event.text);
            break;
    }
}

// A log that cannot be written is told at once; the run goes on (a restore stopped halfway would
// leave the chip worse off) and ends with exit 2.
void BusSession::LogFailed(const std::string& reason) {
    if (reason.empty() || logFailed_) return;
    logFailed_ = true;
    err_ << Tell("the log " + reason + " (it stops there; the run goes on)");
}

int BusSession::Open() {
    if (!choice_.logFile.empty()) {
        TransactionLog::Display display;
        // Told once the log is open: a file that cannot be opened is told below.
        display.reason = [this](const std::string& reason) {
            if (parts_->frameEnds.log) LogFailed(reason);
        };
        parts_->log = std::make_unique<TransactionLog>(std::move(display), choice_.logFile);
        if (!parts_->log->SetLogging(true)) {
            logFailed_ = true;
            err_ << Tell("the log " + parts_->log->Error());
            return UsageError;
        }
        parts_->frameEnds.log = parts_->log.get();
    }
    switch (choice_.carrier) {
        case BusChoice::Carrier::Port:
            return OpenPort();
        case BusChoice::Carrier::I2cDev:
            return OpenAdapter(AdapterChoice::Carrier::I2cDev);
        case BusChoice::Carrier::Ftdi:
            return OpenAdapter(AdapterChoice::Carrier::Ftdi);
        case BusChoice::Carrier::Virtual:
            return OpenVirtual();
    }
    return UsageError;
}

int BusSession::OpenPort() {
    auto port = std::make_unique<PpdevPort>(choice_.device);
    if (!port->Setup()) {
        err_ << Tell(port->SetupError());
        return Unavailable;
    }
    auto bus = std::make_unique<I2cBus>(*port, parts_->Log());
    Hear(*bus);
    const SclCalibrationResult clock = SclCalibration(*bus).CalibrateScl(SclPeriodMicroseconds);
    if (!clock.ok) {
        err_ << Tell("the bus clock could not be calibrated: the system clock does not advance");
        return BusError;
    }
    master_ = bus.get();
    parts_->port = std::move(port);
    parts_->master = std::move(bus);
    return Done;
}

int BusSession::OpenAdapter(AdapterChoice::Carrier carrier) {
    std::unique_ptr<AdapterBus> bus = MakeAdapterBus(
        {.carrier = carrier, .device = choice_.device, .speed = choice_.speed}, parts_->Log());
    Hear(*bus);
    if (!bus->Setup()) {
        err_ << Tell(bus->SetupError());
        return Unavailable;
    }
    master_ = adapter_ = bus.get();
    parts_->master = std::move(bus);
    return Done;
}

// The board answers at --address, 0x1a by default. Its clock needs no calibration: the board
// follows the lines whatever their timing.
int BusSession::OpenVirtual() {
    board::BoardOptions options = choice_.board;
    options.writeAddress = choice_.address.value_or(FirstAddress);
    auto board = std::make_unique<board::VirtualBoard>(board::MakeBoard(options));
    if (!choice_.stateFile.empty()) {
        parts_->state = std::make_unique<BoardStateFile>(choice_.stateFile);
        const std::string error = parts_->state->Load(options.chip, *board);
        if (!error.empty()) {
            err_ << Tell(error);
            return UsageError;
        }
    }
    board_ = board.get();
    parts_->port = std::move(board);
    parts_->master = std::make_unique<I2cBus>(*parts_->port, parts_->Log());
    Hear(*parts_->master);
    master_ = parts_->master.get();
    return Done;
}

int BusSession::Close() {
    int outcome = Done;
    if (board_ && parts_->state) {
        if (const std::string error = parts_->state->Save(*board_); !error.empty()) {
            err_ << Tell(error);
            outcome = UsageError;
        }
    }
    parts_->state.reset();  // unlocked
    if (parts_->log) parts_->log->SetLogging(false);
    parts_->frameEnds.log = nullptr;
    return logFailed_ ? UsageError : outcome;
}

int BusSession::FramesSent() const {
    return parts_->frameEnds.frames;
}

int BusSession::CheckLines() {
    const char* held = nullptr;
    switch (master_->LineHeldLow()) {
        case I2cMaster::HeldLine::None:
            return Done;
        case I2cMaster::HeldLine::Sda:
            held = "SDA Low: the data line is held low";
            break;
        case I2cMaster::HeldLine::Scl:
            held = "SCL Low: the clock line is held low";
            break;
    }
    err_ << Tell(std::string(held) + ", so no acknowledge can be trusted");
    return BusError;
}

int BusSession::FindChip() {
    registers_.SetWiring(
        {.bus = master_, .deviceAddress = [this] { return address_; }, .muteAllEngaged = {}});
    if (const int lines = CheckLines(); lines != Done) return lines;
    std::vector<uint8_t> candidates{FirstAddress, SecondAddress};
    if (choice_.address) candidates = {*choice_.address};
    for (uint8_t candidate : candidates) {
        master_->I2cResetErrors();
        probeUnacknowledged_ = -1;
        const bool answered = master_->I2cProbe(candidate, 0, nullptr, 0);
        // A chip that acknowledged its address and not the sub-address is there: its data errors
        // are told by the frames that meet them.
        if (answered || probeUnacknowledged_ >= 1) {
            master_->I2cResetErrors();
            address_ = candidate;
            return Done;
        }
        // A clock held low (told by the adapter) or a failing adapter is no reason to go on.
        if (master_->WaitError()) {
            err_ << Tell(std::string(I2cMaster::WaitErrorText) +
                         ": the clock line (SCL) is held low");
            return BusError;
        }
        if (master_->OtherError()) return Outcome();
    }
    master_->I2cResetErrors();
    std::string where = SevenBit(candidates[0]);
    if (candidates.size() > 1) where += " or " + SevenBit(candidates[1]);
    err_ << Tell("no chip answers at " + where);
    return Differs;
}

int BusSession::Identify(const ChipInfo*& chip, uint8_t& id) {
    id = registers_.ReadRegister(ChipIdRegister) & ChipIdMask;
    if (Outcome() != Done) return BusError;
    const ChipInfo* read = FirstChipOfId(id);
    chip = choice_.chip ? choice_.chip : read;
    if (!chip) {
        err_ << Tell("the chip at " + SevenBit(address_) + " gives an ID no QK3xx gives (" +
                     Hex(id) + "): name it with --chip");
        return Differs;
    }
    if (read && read->id != chip->id) {
        err_ << Tell("the chip at " + SevenBit(address_) + " reads as a " + read->name +
                     ", not a " + chip->name);
        chip = nullptr;
        return Differs;
    }
    return Done;
}

int BusSession::Outcome() const {
    if (AdapterLost()) return Unavailable;
    const bool failed = master_->AckError() || master_->WaitError() || master_->OtherError();
    return failed ? BusError : Done;
}

}  // namespace qk::cli
