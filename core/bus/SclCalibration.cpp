#include "core/bus/SclCalibration.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>
#include <vector>

namespace qk {

namespace {

double Median(std::vector<double> values) {
    auto middle = values.begin() + values.size() / 2;
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

}  // namespace

SclCalibration::SclCalibration(I2cBus& bus) : bus_(bus), port_(bus.Port()), timing_(bus.Timing()) {}

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
    result.halfPeriodCount = sumOfCounts / Passes;
    result.quarterPeriodCount = result.halfPeriodCount / 2;
    // A zero or absurd period cannot stand for a count: treat it as a failed calibration.
    if (!(result.meanPeriodUs > 0.0) || !std::isfinite(result.meanPeriodUs)) return result;
    const uint32_t half = bus_.HalfPeriodCount, quarter = bus_.QuarterPeriodCount;
    const double perCount = bus_.NanosecondsPerCount;
    MeasureBusClock(targetUs, result);
    result.ok = std::isfinite(result.frequencyKHz) && result.frequencyKHz > 0.0 &&
                result.frequencyKHz < double(std::numeric_limits<int32_t>::max());
    if (!result.ok) {
        bus_.HalfPeriodCount = half;
        bus_.QuarterPeriodCount = quarter;
        bus_.NanosecondsPerCount = perCount;
    }
    return result;
}

void SclCalibration::MeasureBusClock(double targetUs, SclCalibrationResult& result) {
    bus_.HalfPeriodCount = result.halfPeriodCount;
    bus_.QuarterPeriodCount = result.quarterPeriodCount;
    // The count found stands for half the target period: a count whose period was measured long
    // because the machine was busy meanwhile does not slow the clock down.
    bus_.NanosecondsPerCount = targetUs * 1000.0 / (2.0 * result.halfPeriodCount);
    std::vector<double> periodsUs;
    for (const std::chrono::nanoseconds period : bus_.ClockPeriods(ClockPeriodsTimed))
        periodsUs.push_back(std::chrono::duration<double, std::micro>(period).count());
    result.clockPeriodUs = Median(std::move(periodsUs));
    result.frequencyKHz = 1000.0 / result.clockPeriodUs;
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
