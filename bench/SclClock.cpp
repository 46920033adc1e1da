#include "bench/SclClock.h"

#include <algorithm>
#include <string>
#include <vector>

#include "bench/NullSinks.h"
#include "link/I2cBus.h"

namespace qk::bench {

namespace {

constexpr uint8_t ChipAddress = 0x34;
constexpr uint8_t VolumeRegister = 0x13;

double Microseconds(CostlyPort::Clock::duration duration) {
    return std::chrono::duration<double, std::micro>(duration).count();
}

double Smallest(const std::vector<double>& values) {
    return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    auto middle = values.begin() + values.size() / 2;
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// Collects the SCL phases of frames, each from START's falling edge to STOP's rising edge.
class SclPhases {
  public:
    void AddFrame(const std::vector<CostlyPort::SclSample>& samples);
    SclClockStats Stats() const;

  private:
    std::vector<double> periodsUs_, lowsUs_, lowsBeforeStopUs_, highsUs_;
};

void SclPhases::AddFrame(const std::vector<CostlyPort::SclSample>& samples) {
    // The edges: SCL is high between frames, so the first is START's fall and the last STOP's rise.
    std::vector<CostlyPort::SclSample> edges;
    bool level = true;
    for (const CostlyPort::SclSample& sample : samples) {
        if (sample.scl == level) continue;
        edges.push_back(sample);
        level = sample.scl;
    }
    for (size_t i = 0; i + 1 < edges.size(); ++i) {
        const double phase = Microseconds(edges[i + 1].at - edges[i].at);
        const bool lastPhase = i + 2 == edges.size();
        if (edges[i].scl)
            highsUs_.push_back(phase);
        else if (lastPhase)
            lowsBeforeStopUs_.push_back(phase);
        else
            lowsUs_.push_back(phase);
        if (!edges[i].scl && i + 2 < edges.size())
            periodsUs_.push_back(Microseconds(edges[i + 2].at - edges[i].at));
    }
}

SclClockStats SclPhases::Stats() const {
    SclClockStats stats;
    stats.clocks = int(periodsUs_.size());
    const double medianPeriodUs = Median(periodsUs_);
    stats.medianKHz = medianPeriodUs > 0.0 ? 1000.0 / medianPeriodUs : 0.0;
    stats.minLowUs = Smallest(lowsUs_);
    stats.minLowBeforeStopUs = Smallest(lowsBeforeStopUs_);
    stats.minHighUs = Smallest(highsUs_);
    return stats;
}

}  // namespace

SclClockStats ClockFrames(CostlyPort& port, uint32_t halfPeriodCount, uint32_t quarterPeriodCount,
                          int frames) {
    NullErrors errors;
    NullLog log;
    I2cBus bus(port, errors, log);
    bus.HalfPeriodCount = halfPeriodCount;
    bus.QuarterPeriodCount = quarterPeriodCount;
    SclPhases phases;
    for (int frame = 0; frame < frames; ++frame) {
        const uint8_t data = uint8_t(0xC9 ^ frame);  // varied data bits
        port.StartRecording();
        bus.I2cWriteSub(ChipAddress, VolumeRegister, &data, 1);
        phases.AddFrame(port.StopRecording());
    }
    SclClockStats stats = phases.Stats();
    stats.framesAcknowledged = bus.AckErrorFlag == 0 && bus.WaitErrorFlag == 0;
    return stats;
}

}  // namespace qk::bench
