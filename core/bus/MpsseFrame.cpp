#include "core/bus/MpsseFrame.h"

#include <algorithm>
#include <cmath>

namespace qk {

namespace {

constexpr double EngineClockHz = 60e6;  // with the divide-by-5 off
constexpr int HalfPeriodsPerBit = 3;    // three-phase clocking

// Pin commands in a row that last the standard's data set-up time (tSU;DAT, 250 ns) at the
// engine's pace of about 0.1 us a command: with SCL held low, the only wait (a clock pulses it).
constexpr int PinCommandsForDataSetUp = 3;

struct SpeedLimits {
    I2cSpeed speed;
    double shortestLowUs, shortestHighUs;  // the standard's tLOW and tHIGH
    // The clock's shortest period (1 / fSCL): the clock cycles next to a START or STOP are one
    // half-period low and one high.
    double shortestPeriodUs;
};
constexpr SpeedLimits kSpeeds[] = {
    {.speed = I2cSpeed::Standard,
     .shortestLowUs = 4.7,
     .shortestHighUs = 4.0,
     .shortestPeriodUs = 10.0},
    {.speed = I2cSpeed::Fast, .shortestLowUs = 1.3, .shortestHighUs = 0.6, .shortestPeriodUs = 2.5},
};

}  // namespace

uint16_t MpsseDivisor(I2cSpeed speed) {
    for (const SpeedLimits& limits : kSpeeds) {
        if (limits.speed != speed) continue;
        const double halfPeriodUs =
            std::max({limits.shortestLowUs, limits.shortestHighUs, limits.shortestPeriodUs / 2});
        return static_cast<uint16_t>(std::ceil(halfPeriodUs * EngineClockHz / 1e6 - 1e-9) - 1);
    }
    return 0;
}

double MpsseBitRate(uint16_t divisor) {
    return EngineClockHz / ((1.0 + divisor) * HalfPeriodsPerBit);
}

void MpsseFrame::Command(std::initializer_list<uint8_t> bytes, int answers) {
    for (uint8_t byte : bytes) bytes_.push_back(byte);
    answers_ += answers;
}

void MpsseFrame::Lines(bool sclLow, bool sdaLow) {
    const uint8_t driven = (sclLow ? Scl : 0) | (sdaLow ? SdaOut : 0);
    Command({SetLowPins, 0x00, driven});
}

void MpsseFrame::Tick() {
    Command({ClockBits, 0x00});
}

void MpsseFrame::ReadBits(int count) {
    Command({ReadBitsRising, static_cast<uint8_t>(count - 1)}, 1);
}

void MpsseFrame::ReadIdleLines() {
    Lines(false, false);
    Tick();
    Command({ReadLowPins}, 1);
}

void MpsseFrame::Start() {
    Lines(false, false);
    Tick();
    Lines(false, true);
    Tick();
    Lines(true, true);
}

void MpsseFrame::WriteByte(uint8_t value) {
    for (int bit = 7; bit >= 0; --bit) {
        Lines(true, !((value >> bit) & 1));
        Tick();
    }
    Lines(true, false);
    ReadBits(1);
}

void MpsseFrame::ReadByte(bool more) {
    Lines(true, false);
    ReadBits(8);
    Lines(true, more);
    Tick();
}

void MpsseFrame::Stop() {
    for (int i = 0; i < PinCommandsForDataSetUp; ++i) Lines(true, true);
    Lines(false, true);
    Tick();
    Lines(false, false);
}

void MpsseFrame::PullSdaWithSclLow() {
    Lines(true, false);
    Lines(true, true);
    Command({ReadLowPins}, 1);
    Lines(true, false);
    Command({ReadLowPins}, 1);
    // SCL stays low for a whole clock before it is released: one pulse with SDA high, which
    // makes neither a START nor a STOP.
    Tick();
    Lines(false, false);
    Tick();
}

}  // namespace qk
