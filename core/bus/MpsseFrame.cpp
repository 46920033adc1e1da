#include "core/bus/MpsseFrame.h"

#include <algorithm>
#include <cmath>

namespace qk {

namespace {

constexpr double EngineClockHz = 60e6;  // with the divide-by-5 off
constexpr int HalfPeriodsPerBit = 3;    // three-phase clocking

struct SpeedLimits {
    I2cSpeed speed;
    double shortestLowUs, shortestHighUs;  // the standard's tLOW and tHIGH
    double shortestPeriodUs;               // its highest clock rate
};
constexpr SpeedLimits kSpeeds[] = {
    {.speed = I2cSpeed::Standard,
     .shortestLowUs = 4.7,
     .shortestHighUs = 4.0,
     .shortestPeriodUs = 10},
    {.speed = I2cSpeed::Fast, .shortestLowUs = 1.3, .shortestHighUs = 0.6, .shortestPeriodUs = 2.5},
};
// Next to a START or STOP, SCL goes from one edge to the next of its kind in two half-periods.
constexpr int HalfPeriodsPerShortestCycle = 2;
// The engine reads at most one command byte per cycle of its 60 MHz clock: this many bytes of
// commands last at least the standard's data set-up time (250 ns).
constexpr int DataSetUpBytes = 15;

}  // namespace

uint16_t MpsseDivisor(I2cSpeed speed) {
    for (const SpeedLimits& limits : kSpeeds) {
        if (limits.speed != speed) continue;
        const double halfPeriodUs =
            std::max({limits.shortestLowUs, limits.shortestHighUs,
                      limits.shortestPeriodUs / HalfPeriodsPerShortestCycle});
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
    // SDA falls while SCL is low, and is held so for the data set-up time: SCL cannot be held low
    // by a pause, so the same command is repeated.
    for (int byte = 0; byte < DataSetUpBytes; byte += 3) Lines(true, true);
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
    // One clock pulse with SDA released, so that SCL is low and high for a half-period each
    // before it is released: no START, and a clock idle chips ignore.
    Tick();
    Lines(false, false);
    Tick();
}

}  // namespace qk
