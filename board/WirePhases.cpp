#include "board/WirePhases.h"

#include <algorithm>

namespace qk::board {

namespace {

using Time = std::chrono::nanoseconds;

double Microseconds(Time time) {
    return std::chrono::duration<double, std::micro>(time).count();
}

// The last write that made an event, once there was one.
struct Event {
    bool seen = false;
    Time called{0}, returned{0};
    void Saw(const LineSample& sample) {
        seen = true;
        called = sample.called;
        returned = sample.returned;
    }
};

}  // namespace

void WirePhases::Add(const std::vector<LineSample>& samples) {
    bool scl = true, sda = true;
    // The last write that made each event, if any yet.
    Event sclFell, sclRose, sdaChangedLow, start, stop;
    const auto measure = [this](Phase phase, const Event& since, const LineSample& now) {
        if (since.seen) lengths_[phase].push_back(Microseconds(now.called - since.returned));
    };
    for (const LineSample& sample : samples) {
        const bool sclFalls = scl && !sample.scl, sclRises = !scl && sample.scl;
        const bool sdaChanges = sda != sample.sda;
        // SCL falls before a chip changes SDA; SDA settles before SCL rises.
        if (sclFalls) {
            measure(High, sclRose, sample);
            measure(StartHold, start, sample);
            measure(Period, sclFell, sample);
            if (sclFell.seen) clockPeriods_.push_back(Microseconds(sample.called - sclFell.called));
            sclFell.Saw(sample);
            start.seen = false;
        }
        // SDA changing in the very write that raises SCL has no set-up time at all.
        if (sdaChanges && (!sample.scl || sclRises)) sdaChangedLow.Saw(sample);
        if (sdaChanges && scl && sample.scl && !sample.sda) {
            measure(StartSetUp, sclRose, sample);
            measure(BusFree, stop, sample);
            start.Saw(sample);
        }
        if (sdaChanges && scl && sample.scl && sample.sda) {
            measure(StopSetUp, sclRose, sample);
            stop.Saw(sample);
        }
        if (sclRises) {
            measure(Low, sclFell, sample);
            if (sdaChangedLow.seen && sdaChangedLow.called >= sclFell.called)
                measure(DataSetUp, sdaChangedLow, sample);
            measure(Period, sclRose, sample);
            sclRose.Saw(sample);
        }
        scl = sample.scl;
        sda = sample.sda;
    }
}

void WirePhases::Add(const WirePhases& other) {
    for (int phase = 0; phase < Count; ++phase)
        lengths_[phase].insert(lengths_[phase].end(), other.lengths_[phase].begin(),
                               other.lengths_[phase].end());
    clockPeriods_.insert(clockPeriods_.end(), other.clockPeriods_.begin(),
                         other.clockPeriods_.end());
}

double WirePhases::Shortest(Phase phase) const {
    const std::vector<double>& lengths = lengths_[phase];
    return lengths.empty() ? 0.0 : *std::min_element(lengths.begin(), lengths.end());
}

int WirePhases::BelowMinimum(Phase phase) const {
    const std::vector<double>& lengths = lengths_[phase];
    return int(std::count_if(lengths.begin(), lengths.end(),
                             [&](double length) { return length < Limits[phase].minimumUs; }));
}

double WirePhases::MedianKHz() const {
    if (clockPeriods_.empty()) return 0.0;
    std::vector<double> periods = clockPeriods_;
    auto middle = periods.begin() + periods.size() / 2;
    std::nth_element(periods.begin(), middle, periods.end());
    return 1000.0 / *middle;
}

}  // namespace qk::board
