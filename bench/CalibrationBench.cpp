// START's bus clock on a busy two-core machine. For each cost of a port access (0, 0.5 and 1 us;
// a real port costs about 1 us) 20 runs, each one SCL calibration as START runs it, with the real
// clock and busy loop, on the virtual board behind the costly port, then register writes at the
// calibrated clock; meanwhile another thread spins and rests at random, so the other core is busy
// one moment and idle the next. A run's time is the calibration's and the writes'.
//
// What the board saw, over the 20 runs: the SCL rate (each run's median period, and the fastest
// single period), the shown text against the run's rate, and every phase of standard mode at its
// shortest (from the return of the write that began it to the call of the one that ended it).
// Standard mode asks for at most 100 kHz, tLOW >= 4.7 us and tHIGH >= 4.0 us, among others. The
// counters say it in short; a table of the distribution follows the benchmarks.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "bench/CostlyPort.h"
#include "bench/NullSinks.h"
#include "bench/SclClock.h"
#include "board/VirtualBoard.h"
#include "board/WirePhases.h"
#include "core/bus/I2cBus.h"
#include "core/bus/SclCalibration.h"

namespace {

using qk::board::WirePhases;

constexpr double TargetPeriodUs = 10.0;
constexpr int Runs = 20;
constexpr int FramesPerRun = 100;

// A thread that spins for a random while, then sleeps for a random while, until destroyed.
class RandomLoad {
  public:
    RandomLoad() : thread_([this] { Run(); }) {}
    ~RandomLoad() {
        stop_ = true;
        thread_.join();
    }

  private:
    void Run() {
        std::minstd_rand random(std::random_device{}());
        std::uniform_int_distribution<int> microseconds(50, 3000);
        while (!stop_) {
            const auto until =
                std::chrono::steady_clock::now() + std::chrono::microseconds(microseconds(random));
            while (std::chrono::steady_clock::now() < until && !stop_) {
            }
            std::this_thread::sleep_for(std::chrono::microseconds(microseconds(random)));
        }
    }

    std::atomic<bool> stop_{false};
    std::thread thread_;
};

double Median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Percentile(std::vector<double> values, double share) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    return values[size_t(share * double(values.size() - 1))];
}

// What the runs at one access cost gave.
struct Distribution {
    WirePhases phases;               // every run's phases together
    std::vector<double> runMedians;  // kHz
    std::vector<double> shownKHz;    // as the text shows it
    std::vector<std::string> texts;
};
std::map<int64_t, Distribution>& Results() {
    static std::map<int64_t, Distribution> results;
    return results;
}

void BM_StartClockOnABusyMachine(benchmark::State& state) {
    Distribution& result = Results()[state.range(0)];
    result = {};
    RandomLoad load;
    for (auto _ : state) {
        qk::board::VirtualBoard board;
        qk::bench::CostlyPort port(board, std::chrono::nanoseconds(state.range(0)));
        qk::bench::NullLog log;
        qk::I2cBus bus(port, log);
        const qk::SclCalibrationResult calibration =
            qk::SclCalibration(bus).CalibrateScl(TargetPeriodUs);
        if (!calibration.ok) return state.SkipWithError("the calibration failed");
        const qk::bench::SclClockStats clock = qk::bench::ClockFrames(port, bus, FramesPerRun);
        if (!clock.framesAcknowledged)
            return state.SkipWithError("the chip did not acknowledge the timed frames");
        result.phases.Add(clock.phases);
        result.runMedians.push_back(clock.phases.MedianKHz());
        result.shownKHz.push_back(calibration.frequencyKHz);
        result.texts.push_back(calibration.Text());
    }
    const auto shortestPeriod =
        std::min_element(result.phases.ClockPeriods().begin(), result.phases.ClockPeriods().end());
    state.counters["median_kHz"] = Median(result.runMedians);
    state.counters["lowest_run_kHz"] =
        *std::min_element(result.runMedians.begin(), result.runMedians.end());
    state.counters["highest_run_kHz"] =
        *std::max_element(result.runMedians.begin(), result.runMedians.end());
    state.counters["fastest_period_kHz"] = 1000.0 / *shortestPeriod;
    state.counters["shown_kHz"] = Median(result.shownKHz);
    state.counters["min_tLOW_us"] = result.phases.Shortest(WirePhases::Low);
    state.counters["min_tHIGH_us"] = result.phases.Shortest(WirePhases::High);
    int below = 0;
    for (int phase = 0; phase < WirePhases::Count; ++phase)
        below += result.phases.BelowMinimum(WirePhases::Phase(phase));
    state.counters["phases_below_minimum"] = below;
}

BENCHMARK(BM_StartClockOnABusyMachine)
    ->ArgName("access_ns")
    ->Arg(0)
    ->Arg(500)
    ->Arg(1000)
    ->Iterations(Runs)
    ->Unit(benchmark::kMillisecond);

void PrintDistribution(int64_t accessNs, const Distribution& result) {
    std::printf("\nPort access %lld ns: %zu runs, the other core loaded at random\n",
                static_cast<long long>(accessNs), result.runMedians.size());
    std::printf("  %-10s %8s %9s %8s %8s %8s %7s\n", "phase", "minimum", "shortest", "1st pct",
                "median", "count", "short");
    for (int phase = 0; phase < WirePhases::Count; ++phase) {
        const auto kind = WirePhases::Phase(phase);
        const std::vector<double>& lengths = result.phases.Lengths(kind);
        std::printf("  %-10s %8.2f %9.3f %8.3f %8.3f %8zu %7d\n", WirePhases::Limits[phase].name,
                    WirePhases::Limits[phase].minimumUs, result.phases.Shortest(kind),
                    Percentile(lengths, 0.01), Median(lengths), lengths.size(),
                    result.phases.BelowMinimum(kind));
    }
    std::printf("  SCL median of each run (kHz):");
    for (double kHz : result.runMedians) std::printf(" %.1f", kHz);
    const std::vector<double>& periods = result.phases.ClockPeriods();
    std::printf("\n  median of the runs %.2f kHz; fastest single period %.2f kHz\n",
                Median(result.runMedians),
                periods.empty() ? 0.0 : 1000.0 / *std::min_element(periods.begin(), periods.end()));
    double worst = 0.0;
    for (size_t run = 0; run < result.runMedians.size(); ++run)
        worst = std::max(worst, std::abs(result.shownKHz[run] / result.runMedians[run] - 1.0));
    std::printf("  shown texts:");
    for (const std::string& text : result.texts) std::printf(" %s", text.c_str());
    std::printf("\n  shown rate against the run's median: at most %.1f %% apart\n", 100.0 * worst);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const auto& [accessNs, result] : Results())
        if (!result.runMedians.empty()) PrintDistribution(accessNs, result);
    return 0;
}
