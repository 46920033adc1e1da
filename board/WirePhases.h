#pragma once
#include <array>
#include <chrono>
#include <vector>

namespace qk::board {

// One control-port write as an observer of the port saw it: when it was called and when it
// returned (the lines changed somewhere in between), and the line levels after it.
struct LineSample {
    std::chrono::nanoseconds called, returned;
    bool scl, sda;
};

// The I2C timing of standard mode as a logic analyser measures it on the lines, each phase taken
// at its shortest: from the return of the write that began it to the call of the one that ended
// it. The standard's minimums are restated here, apart from the bus master's own.
class WirePhases {
  public:
    enum Phase { Low, High, DataSetUp, StartHold, StartSetUp, StopSetUp, BusFree, Period, Count };
    struct Limit {
        const char* name;
        double minimumUs;
    };
    static constexpr std::array<Limit, Count> Limits = {{
        {"tLOW", 4.7},
        {"tHIGH", 4.0},
        {"tSU;DAT", 0.25},
        {"tHD;STA", 4.0},
        {"tSU;STA", 4.7},
        {"tSU;STO", 4.0},
        {"tBUF", 4.7},
        {"period", 10.0},  // 100 kHz at most, from one SCL edge to the next of the same kind
    }};

    // One run of writes, from idle lines (both high).
    void Add(const std::vector<LineSample>& samples);
    // Everything another has seen.
    void Add(const WirePhases& other);

    // Every length of a phase seen, in microseconds.
    const std::vector<double>& Lengths(Phase phase) const { return lengths_[phase]; }
    double Shortest(Phase phase) const;
    int BelowMinimum(Phase phase) const;
    // SCL periods from one falling edge's call to the next: the rate the clock runs at.
    const std::vector<double>& ClockPeriods() const { return clockPeriods_; }
    double MedianKHz() const;

  private:
    std::array<std::vector<double>, Count> lengths_;
    std::vector<double> clockPeriods_;
};

}  // namespace qk::board
