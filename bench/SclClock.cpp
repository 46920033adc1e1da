#include "bench/SclClock.h"

namespace qk::bench {

namespace {

constexpr uint8_t ChipAddress = 0x34;
constexpr uint8_t VolumeRegister = 0x13;

}  // namespace

SclClockStats ClockFrames(CostlyPort& port, I2cBus& bus, int frames) {
    SclClockStats stats;
    port.StartRecording();
    for (int frame = 0; frame < frames; ++frame) {
        const uint8_t data = uint8_t(0xC9 ^ frame);  // varied data bits
        bus.I2cWriteSub(ChipAddress, VolumeRegister, &data, 1);
    }
    stats.phases.Add(port.StopRecording());
    stats.framesAcknowledged = !bus.AckError() && !bus.WaitError();
    return stats;
}

}  // namespace qk::bench
