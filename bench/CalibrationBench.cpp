// One SCL calibration (20 passes) as START runs it, with the real clock and busy loop, on the
// virtual board behind a port whose every access costs 0, 0.5 or 1.0 us (a real port costs about
// 1 us). The time per iteration is the calibration's duration. Then the calibrated counts drive
// the bus master through a run of register writes, and the clock the board saw is reported: what
// a user gets. Standard mode asks for at most 100 kHz, tLOW >= 4.7 us and tHIGH >= 4.0 us.
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench/CostlyPort.h"
#include "bench/SclClock.h"
#include "board/VirtualBoard.h"
#include "link/SclCalibration.h"

namespace {

constexpr double TargetPeriodUs = 10.0;
constexpr int TimedFrames = 200;

void BM_CalibratedScl(benchmark::State& state) {
    qk::board::VirtualBoard board;
    qk::bench::CostlyPort port(board, std::chrono::nanoseconds(state.range(0)));
    qk::SclCalibrationResult result;
    for (auto _ : state) {
        result = qk::SclCalibration(port).CalibrateScl(TargetPeriodUs);
        benchmark::DoNotOptimize(result);
    }
    if (!result.ok) {
        state.SkipWithError("the calibration failed");
        return;
    }
    const qk::bench::SclClockStats clock = qk::bench::ClockFrames(
        port, result.halfPeriodCount, result.quarterPeriodCount, TimedFrames);
    if (!clock.framesAcknowledged) {
        state.SkipWithError("the chip did not acknowledge the timed frames");
        return;
    }
    state.SetLabel(result.Text());
    state.counters["half_period_count"] = result.halfPeriodCount;
    state.counters["shown_kHz"] = result.frequencyKHz;
    state.counters["scl_median_kHz"] = clock.medianKHz;
    state.counters["min_tLOW_us"] = clock.minLowUs;
    state.counters["min_tLOW_stop_us"] = clock.minLowBeforeStopUs;
    state.counters["min_tHIGH_us"] = clock.minHighUs;
    state.counters["clocks_timed"] = clock.clocks;
}

BENCHMARK(BM_CalibratedScl)
    ->ArgName("access_ns")
    ->Arg(0)
    ->Arg(500)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
