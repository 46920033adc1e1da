#pragma once
#include <cstdint>
#include <string>

#include "core/bus/I2cBus.h"
#include "core/bus/Port.h"
#include "core/bus/SclTiming.h"

namespace qk {

struct SclCalibrationResult {
    // False when some pass never reached the target period (a clock that does not advance):
    // then nothing below is meaningful and the counts in force must stay.
    bool ok = false;
    uint32_t halfPeriodCount = 0;
    uint32_t quarterPeriodCount = 0;
    double meanPeriodUs = 0.0;  // of the 20 passes' counts
    // The bus master's own clock with the counts in force: the median of its periods, and the
    // frequency that makes.
    double clockPeriodUs = 0.0;
    double frequencyKHz = 0.0;
    // "#812 SCL100" when ok, else "ERROR".
    std::string Text() const;
};

// Finds the busy-loop count at which one SCL clock period (two spins and three control-port
// writes) first reaches a target time, averaged over 20 passes. The counts then go into force on
// the bus master, which clocks SCL a while: the frequency told is the one measured there, on the
// wire's own phases.
class SclCalibration {
  public:
    static constexpr int Passes = 20;
    static constexpr int ClockPeriodsTimed = 20;
    // Each trial count is measured this many times and the shortest period counts: an interrupt or
    // a preemption only ever lengthens a measurement.
    static constexpr int Repeats = 5;
    static constexpr uint32_t StartCount = 1500;
    static constexpr uint32_t MinimumCount = 12;
    // The upward search gives up here. A machine needing this many iterations for 10 us would spin
    // many times faster than any PC; reaching it means the clock is not advancing.
    static constexpr uint32_t MaximumCount = 200000;

    // Drives the bus master's port and times with the bus master's clock and busy loop.
    explicit SclCalibration(I2cBus& bus);

    // One clock period with trial count n, in microseconds: SCL low, n iterations, SCL high,
    // n iterations, SCL low; SDA stays high.
    double MeasureSclPeriod(uint32_t n);
    // The shortest of Repeats measurements with trial count n.
    double ShortestSclPeriod(uint32_t n);
    // On success the counts and the time per count are in force on the bus master; on failure it
    // keeps its own.
    SclCalibrationResult CalibrateScl(double targetUs);

  private:
    // One pass: lower the count one by one from StartCount while the period is too long (not
    // below MinimumCount), then, if the period fell short of the target, find the first higher
    // count that reaches it. False when the upward search hits MaximumCount.
    bool SearchPass(double targetUs, uint32_t& n, double& t);
    // From a count `below` whose period is short of the target: the step doubles until a count
    // reaches the target, then halves back to the first count that does. On a clock without
    // noise this is the count a one-step walk would find, in a few dozen measurements.
    bool SearchUpward(double targetUs, uint32_t below, uint32_t& n, double& t);

    // Puts the counts in force and measures the clock they give on the bus.
    void MeasureBusClock(double targetUs, SclCalibrationResult& result);

    I2cBus& bus_;
    PortIo& port_;
    SclTiming timing_;
};

// "#200": a busy-loop count as the status line shows it.
std::string CountText(uint32_t count);
// "#812 SCL100": the count and the SCL frequency in kHz, truncated toward zero.
std::string CalibrationText(uint32_t halfPeriodCount, double frequencyKHz);

}  // namespace qk
