// One SCL calibration (20 passes) as START runs it: the real clock and busy loop, on the virtual
// board. The time depends on the PC: a fast one needs a high count, and the upward search from
// 1500 then takes one measurement per step.
#include <benchmark/benchmark.h>

#include "board/VirtualBoard.h"
#include "link/SclCalibration.h"

namespace {

void BM_CalibrateScl_VirtualBoard(benchmark::State& state) {
    qk::board::VirtualBoard board;
    qk::SclCalibrationResult result;
    for (auto _ : state) {
        result = qk::SclCalibration(board).CalibrateScl(10.0);
        benchmark::DoNotOptimize(result);
    }
    if (!result.ok) state.SkipWithError("the calibration failed");
    state.counters["half_period_count"] = result.halfPeriodCount;
    state.counters["mean_period_us"] = result.meanPeriodUs;
    state.counters["scl_kHz"] = result.frequencyKHz;
}

BENCHMARK(BM_CalibrateScl_VirtualBoard)->Unit(benchmark::kMillisecond);

}  // namespace
