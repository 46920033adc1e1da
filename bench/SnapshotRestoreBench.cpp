// Restore and verification of all 61 QK330 registers on the virtual board, behind a port whose
// every access costs 1 us, at the clock START calibrates. The wall time of one restore is set
// against the time its frames need on the wire: the bits clocked (nine per byte, one clock each for
// START and STOP) times the SCL period measured from the board's edges. The ratio is what the
// restore adds to the bus itself (cpu_ratio: the same with the thread's processor time, which a
// loaded machine does not inflate).
#include <benchmark/benchmark.h>

#include <time.h>

#include <chrono>

#include "bench/CostlyPort.h"
#include "bench/NullSinks.h"
#include "bench/SclClock.h"
#include "board/VirtualBoard.h"
#include "core/bus/I2cBus.h"
#include "core/bus/SclCalibration.h"
#include "core/chips/RegisterBus.h"
#include "core/snapshot/SnapshotRestore.h"

namespace {

using qk::bench::NullLog;

constexpr double TargetPeriodUs = 10.0;
constexpr auto AccessCost = std::chrono::nanoseconds(1000);
constexpr int ClockSampleFrames = 50;
constexpr int BitsPerByte = 9;  // eight data bits and the acknowledge
constexpr int ClocksPerStartStop = 2;

// This thread's processor time: on a loaded machine the wall time also counts the time the
// scheduler gave to others.
double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

// The clocks a run of frames needs on the wire.
long WireClocks(const std::vector<qk::board::DecodedFrame>& frames) {
    long clocks = 0;
    for (const qk::board::DecodedFrame& frame : frames)
        clocks += BitsPerByte * long(1 + frame.bytes.size()) + ClocksPerStartStop;
    return clocks;
}

void BM_RestoreAndVerifyQK330(benchmark::State& state) {
    qk::board::VirtualBoard board(qk::board::Chip::QK330);
    qk::bench::CostlyPort port(board, AccessCost);
    NullLog log;
    qk::I2cBus bus(port, log);
    if (!qk::SclCalibration(bus).CalibrateScl(TargetPeriodUs).ok)
        return state.SkipWithError("the calibration failed");
    const double sclKHz = qk::bench::ClockFrames(port, bus, ClockSampleFrames).phases.MedianKHz();
    qk::RegisterBus registers;
    registers.SetWiring({&bus, [] { return uint8_t(0x34); }, [] { return false; }});
    const qk::RestorePlan plan = qk::PlanRestore(
        qk::PowerOnSnapshot(qk::ChipFamily::QK330, "QK330"), {.includeTestRegisters = true});

    qk::RestoreOutcome outcome;
    double wallSeconds = 0, threadSeconds = 0;
    for (auto _ : state) {
        board.ClearFrames();
        const auto start = std::chrono::steady_clock::now();
        const double threadStart = ThreadSeconds();
        outcome = qk::RunRestore(plan, qk::ChipFamily::QK330, registers, bus);
        threadSeconds += ThreadSeconds() - threadStart;
        wallSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    if (outcome.result != qk::RestoreOutcome::Result::Verified)
        return state.SkipWithError(outcome.message.c_str());
    const double wireSeconds = double(WireClocks(board.Frames())) / (sclKHz * 1000.0);
    const double restoreSeconds = wallSeconds / double(state.iterations());
    state.SetLabel(outcome.message);
    state.counters["frames"] = double(board.Frames().size());
    state.counters["scl_kHz"] = sclKHz;
    state.counters["wire_ms"] = wireSeconds * 1000.0;
    state.counters["restore_ms"] = restoreSeconds * 1000.0;
    state.counters["ratio"] = restoreSeconds / wireSeconds;
    state.counters["cpu_ratio"] = threadSeconds / double(state.iterations()) / wireSeconds;
}

BENCHMARK(BM_RestoreAndVerifyQK330)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
