#include "link/SclCalibration.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

namespace qk {

SclCalibration::SclCalibration(PortIo& port, SclTiming timing)
    : port_(port), timing_(std::move(timing)) {}

double SclCalibration::MeasureSclPeriod(uint32_t n) {
    const std::chrono::nanoseconds start = timing_.now();
    port_.PortWrite(ControlPort, ControlSda);  // SCL low, SDA high
    timing_.spin(n);
    port_.PortWrite(ControlPort, ControlSda | ControlScl);  // SCL high
    timing_.spin(n);
    port_.PortWrite(ControlPort, ControlSda);  // SCL low
    const std::chrono::nanoseconds stop = timing_.now();
    return std::chrono::duration<double, std::micro>(stop - start).count();
}

double SclCalibration::ShortestSclPeriod(uint32_t n) {
    double shortest = MeasureSclPeriod(n);
    for (int repeat = 1; repeat < Repeats; ++repeat)
        shortest = std::min(shortest, MeasureSclPeriod(n));
    return shortest;
}

bool SclCalibration::SearchPass(double targetUs, uint32_t& n, double& t) {
    n = StartCount;
    do {
        --n;
        t = ShortestSclPeriod(n);
    } while (t > targetUs && n > MinimumCount);
    if (t < targetUs) return SearchUpward(targetUs, n, n, t);
    return true;
}

bool SclCalibration::SearchUpward(double targetUs, uint32_t below, uint32_t& n, double& t) {
    uint32_t step = 1;
    uint32_t above = 0;
    double periodAbove = 0.0;
    for (;;) {
        if (below >= MaximumCount) return false;
        above = std::min(below + step, MaximumCount);
        periodAbove = ShortestSclPeriod(above);
        if (periodAbove >= targetUs) break;
        below = above;
        step *= 2;
    }
    // The period at `below` is short of the target, the one at `above` reaches it.
    while (above - below > 1) {
        const uint32_t middle = below + (above - below) / 2;
        const double period = ShortestSclPeriod(middle);
        if (period >= targetUs) {
            above = middle;
            periodAbove = period;
        } else {
            below = middle;
        }
    }
    n = above;
    t = periodAbove;
    return true;
}

SclCalibrationResult SclCalibration::CalibrateScl(double targetUs) {
    SclCalibrationResult result;
    uint32_t sumOfCounts = 0;
    double sumOfPeriods = 0.0;
    for (int pass = 0; pass < Passes; ++pass) {
        uint32_t n = 0;
        double t = 0.0;
        if (!SearchPass(targetUs, n, t)) return result;
        sumOfCounts += n;
        sumOfPeriods += t;
    }
    result.meanPeriodUs = sumOfPeriods * 0.05;
    result.frequencyKHz = 1.0 / (result.meanPeriodUs * 0.001);
    // A zero or absurd period cannot be shown as a frequency: treat it as a failed calibration.
    if (!std::isfinite(result.frequencyKHz) || result.frequencyKHz < 0.0 ||
        result.frequencyKHz >= double(std::numeric_limits<int32_t>::max()))
        return result;
    result.halfPeriodCount = sumOfCounts / Passes;
    result.quarterPeriodCount = result.halfPeriodCount / 2;
    result.ok = true;
    return result;
}

std::string SclCalibrationResult::Text() const {
    return ok ? CalibrationText(halfPeriodCount, frequencyKHz) : "ERROR";
}

std::string CountText(uint32_t count) {
    std::string text = "#";
    text += std::to_string(count);
    return text;
}

std::string CalibrationText(uint32_t halfPeriodCount, double frequencyKHz) {
    char kHz[32];
    std::snprintf(kHz, sizeof kHz, "%.0f",
                  std::trunc(frequencyKHz));  // no decimal point: no locale
    return CountText(halfPeriodCount) + " SCL" + kHz;
}

}  // namespace qk
