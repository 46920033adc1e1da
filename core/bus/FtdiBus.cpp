#include "core/bus/FtdiBus.h"

#include <ftdi.h>

#include <chrono>
#include <cstdio>

#include "core/bus/FtdiDevices.h"

namespace qk {

namespace {

using Clock = std::chrono::steady_clock;
// A bridge answers a frame within a few milliseconds; one that has not in this time is gone.
constexpr auto AnswerDeadline = std::chrono::seconds(1);
constexpr unsigned char LatencyMs = 1;  // the bridge sends its answers at once, not after 16 ms
// libftdi's code for a device the user may not open.
constexpr int OpenForbidden = -8;
constexpr int ClaimFailed = -5;

std::string PermissionRemedy() {
    return "Install the udev rule 60-qk3xx-ftdi.rules (the package puts it in "
           "/usr/lib/udev/rules.d; from the sources: sudo cp data/60-qk3xx-ftdi.rules "
           "/etc/udev/rules.d/ && sudo udevadm control --reload && sudo udevadm trigger), then "
           "unplug the bridge and plug it in again. Without a seat (over ssh), add yourself to "
           "the group plugdev (usermod -aG plugdev $USER, then log in again).";
}

std::string DeviceName(const FtdiDevice& device, char channel) {
    std::string name = device.chip->name;
    name += device.serial.empty() ? " on bus " + std::to_string(device.bus) + " device " +
                                        std::to_string(device.address)
                                  : " serial " + device.serial;
    if (device.chip->mpsseChannels > 1) name += std::string(" channel ") + channel;
    return name;
}

std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string text;
    for (uint8_t b : bytes) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02x", b);
        if (!text.empty()) text += ' ';
        text += digits;
    }
    return text;
}

}  // namespace

FtdiBus::FtdiBus(std::string selector, FrameLogSink& log, I2cSpeed speed)
    : AdapterBus(log), selector_(std::move(selector)), speed_(speed), name_("FTDI bridge") {}

FtdiBus::~FtdiBus() {
    Close();
}

bool FtdiBus::Setup() {
    if (open_) return true;
    if (!Open() || !EnterMpsse() || !CheckWiring()) {
        Close();
        return false;
    }
    open_ = true;
    lost_ = false;
    error_.clear();
    return true;
}

bool FtdiBus::Open() {
    FtdiSelector selector;
    if (!ParseFtdiSelector(selector_, selector, error_)) return false;
    context_ = ftdi_new();
    if (!context_) {
        error_ = "The USB library could not start, so no FTDI bridge can be reached.";
        return false;
    }
    const FtdiScan scan(context_, selector);
    if (!scan.Error().empty()) {
        error_ = "FTDI bridges: " + scan.Error();
        return false;
    }
    const FtdiDevice* device = scan.Choose(selector, selector_, error_);
    if (!device) return false;
    const char channel = selector.channel ? selector.channel : 'A';
    name_ = DeviceName(*device, channel);
    driveZero_ = device->chip->driveZero;
    ftdi_set_interface(context_, static_cast<ftdi_interface>(INTERFACE_A + (channel - 'A')));
    const int opened = ftdi_usb_open_dev(context_, device->usb);
    if (opened == 0) return true;
    const std::string words = ftdi_get_error_string(context_);
    error_ = "The FTDI " + name_ + " could not be opened";
    if (opened == OpenForbidden)
        error_ += ": permission denied. " + PermissionRemedy();
    else if (opened == ClaimFailed)
        error_ += ": the kernel's serial driver ftdi_sio holds it and could not be detached (" +
                  words +
                  "). Close the program that has its /dev/ttyUSB port open, or unload the "
                  "driver: rmmod ftdi_sio (as root).";
    else
        error_ += ": " + words + ".";
    // The context holds no open device: nothing to close.
    ftdi_free(context_);
    context_ = nullptr;
    return false;
}

// The engine's mode, then its clock and lines: 60 MHz, no adaptive clock, three phases, no
// loopback, the divisor of the speed, open drain where the chip has it, both lines released.
bool FtdiBus::EnterMpsse() {
    if (ftdi_usb_reset(context_) < 0 || ftdi_set_latency_timer(context_, LatencyMs) < 0 ||
        ftdi_set_bitmode(context_, 0, BITMODE_RESET) < 0 ||
        ftdi_set_bitmode(context_, 0, BITMODE_MPSSE) < 0 || ftdi_tcioflush(context_) < 0) {
        error_ = "The FTDI " + name_ +
                 " did not enter its MPSSE mode: " + ftdi_get_error_string(context_) + ".";
        return false;
    }
    return true;
}

bool FtdiBus::CheckWiring() {
    MpsseFrame setup;
    setup.Command({MpsseFrame::BadCommand, MpsseFrame::SendImmediate}, 2);
    std::vector<uint8_t> answers;
    std::string reason;
    if (!Exchange(setup, answers, reason)) {
        error_ = "The FTDI " + name_ + " does not answer: " + reason + ".";
        return false;
    }
    if (answers != std::vector<uint8_t>{MpsseFrame::BadCommandAnswer, MpsseFrame::BadCommand}) {
        error_ = "The FTDI " + name_ + " does not answer as an MPSSE engine (" + Hex(answers) +
                 " for fa aa).";
        return false;
    }
    const uint16_t divisor = MpsseDivisor(speed_);
    MpsseFrame lines;
    lines.Command({MpsseFrame::DivideBy5Off, MpsseFrame::AdaptiveOff, MpsseFrame::ThreePhaseOn,
                   MpsseFrame::LoopbackOff, MpsseFrame::ClockDivisor,
                   static_cast<uint8_t>(divisor & 0xFF), static_cast<uint8_t>(divisor >> 8)});
    if (driveZero_) lines.Command({MpsseFrame::DriveZero, MpsseFrame::Scl | MpsseFrame::SdaOut, 0});
    lines.ReadIdleLines();
    lines.PullSdaWithSclLow();
    lines.Flush();
    if (!Exchange(lines, answers, reason)) {
        error_ = "The FTDI " + name_ + " does not answer: " + reason + ".";
        return false;
    }
    if (answers.size() != 3 || answers[0] == MpsseFrame::BadCommandAnswer) {
        error_ = "The FTDI " + name_ + "'s engine refused a command (" + Hex(answers) + ").";
        return false;
    }
    const bool idleHigh = (answers[0] & (MpsseFrame::Scl | MpsseFrame::SdaIn)) ==
                          (MpsseFrame::Scl | MpsseFrame::SdaIn);
    // A line held low is START's to tell; only lines that idle high show the wiring.
    if (idleHigh && ((answers[1] & MpsseFrame::SdaIn) || !(answers[2] & MpsseFrame::SdaIn))) {
        error_ = "On the FTDI " + name_ +
                 ", SDA in (AD2) does not follow SDA out (AD1): tie AD1 and AD2 together (see "
                 "the wiring in the guide).";
        return false;
    }
    return true;
}

bool FtdiBus::Exchange(const MpsseFrame& frame, std::vector<uint8_t>& answers,
                       std::string& reason) {
    const std::vector<uint8_t>& bytes = frame.Bytes();
    for (size_t sent = 0; sent < bytes.size();) {
        const int written =
            ftdi_write_data(context_, bytes.data() + sent, static_cast<int>(bytes.size() - sent));
        if (written <= 0) {
            reason = ftdi_get_error_string(context_);
            return false;
        }
        sent += static_cast<size_t>(written);
    }
    answers.assign(static_cast<size_t>(frame.Answers()), 0);
    const Clock::time_point deadline = Clock::now() + AnswerDeadline;
    for (size_t got = 0; got < answers.size();) {
        const int read =
            ftdi_read_data(context_, answers.data() + got, static_cast<int>(answers.size() - got));
        if (read < 0) {
            reason = ftdi_get_error_string(context_);
            return false;
        }
        got += static_cast<size_t>(read);
        if (got < answers.size() && Clock::now() > deadline) {
            reason = "no answer within a second";
            return false;
        }
    }
    return true;
}

bool FtdiBus::Carry(MpsseFrame& frame, std::vector<uint8_t>& answers) {
    if (!open_ || lost_) {
        if (lost_)
            ReportOtherError(name_ + ": the bridge is gone; plug it in again");
        else
            ReportAckError();  // no bridge: nothing acknowledges
        return false;
    }
    frame.Flush();
    std::string reason;
    if (Exchange(frame, answers, reason)) return true;
    lost_ = true;
    ReportOtherError(name_ + ": the bridge stopped answering (" + reason +
                     "): it was unplugged or lost its supply; plug it in again");
    return false;
}

void FtdiBus::SendWriteFrame(const uint8_t* frame, int count) {
    MpsseFrame commands;
    commands.Start();
    for (int i = 0; i < count; ++i) commands.WriteByte(frame[i]);
    commands.Stop();
    std::vector<uint8_t> acknowledges;
    if (!Carry(commands, acknowledges)) return;
    for (int i = 0; i < count; ++i)
        if (acknowledges[static_cast<size_t>(i)] & 0x01) ReportAckError(i);
}

void FtdiBus::ReceiveReadFrame(uint8_t address, uint8_t* buffer, int count) {
    MpsseFrame commands;
    commands.Start();
    commands.WriteByte(address);
    for (int i = 0; i < count; ++i) commands.ReadByte(i < count - 1);
    commands.Stop();
    std::vector<uint8_t> answers;
    if (!Carry(commands, answers)) return;
    if (answers[0] & 0x01) ReportAckError(0);
    for (int i = 0; i < count; ++i) buffer[i] = answers[static_cast<size_t>(i) + 1];
}

I2cMaster::HeldLine FtdiBus::LineHeldLow() {
    // No bridge has lines to look at: the probe that follows finds that nothing acknowledges,
    // and a probe's failure is an answer, not a fault with its dialog.
    if (!open_) return HeldLine::None;
    MpsseFrame commands;
    commands.ReadIdleLines();
    std::vector<uint8_t> answers;
    if (!Carry(commands, answers)) return HeldLine::None;
    if (!(answers[0] & MpsseFrame::Scl)) return HeldLine::Scl;
    if (!(answers[0] & MpsseFrame::SdaIn)) return HeldLine::Sda;
    return HeldLine::None;
}

void FtdiBus::ResetMasterErrors() {
    if (!lost_) return;
    Close();
    Setup();
}

// Both lines released and the chip back in its serial mode, unless it is gone.
void FtdiBus::Close() {
    if (!context_) return;
    if (open_ && !lost_) {
        MpsseFrame release;
        release.ReadIdleLines();
        release.Flush();
        std::vector<uint8_t> answers;
        std::string reason;
        Exchange(release, answers, reason);
        ftdi_set_bitmode(context_, 0, BITMODE_RESET);
    }
    ftdi_usb_close(context_);
    ftdi_free(context_);
    context_ = nullptr;
    open_ = false;
}

}  // namespace qk
