// qk3xx-cli's dump and restore on the parallel-port path: the bus master at the calibrated clock
// on the virtual QK330 behind a port whose every access costs 1 us, as a real port's does. The
// commands' work (the register reads, the file text; the file parsed, the restore and its
// read-back) is timed against the time its frames take on the wire, START to STOP, from the
// control-port writes the board saw: the ratio is what the program adds to the wire.
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench/CostlyPort.h"
#include "board/VirtualBoard.h"
#include "core/bus/I2cBus.h"
#include "core/bus/SclCalibration.h"
#include "core/chips/RegisterBus.h"
#include "core/snapshot/SnapshotRestore.h"
#include "core/snapshot/SnapshotText.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto AccessCost = std::chrono::nanoseconds(1000);

struct Quiet : qk::FrameLogSink {
    void LogMarker(char) override {}
    void LogByte(uint8_t) override {}
};

// The costly port, with the time each frame spends on the wire: from the control write that
// starts it (SDA falls while SCL is released) to the one that ends it (SDA rises while SCL is).
class FrameTimingPort : public qk::PortIo {
  public:
    explicit FrameTimingPort(qk::bench::CostlyPort& port) : port_(port) {}
    uint8_t PortRead(int port) override { return port_.PortRead(port); }
    void PortWrite(int port, uint8_t value) override {
        const Clock::time_point at = Clock::now();
        port_.PortWrite(port, value);
        if (port != qk::ControlPort) return;
        constexpr uint8_t Released = qk::ControlSda | qk::ControlScl;
        if (last_ == Released && value == qk::ControlScl) start_ = at;
        if (last_ == qk::ControlScl && value == Released) {
            wire += Clock::now() - start_;
            ++frames;
        }
        last_ = value;
    }
    Clock::duration wire{};
    int frames = 0;

  private:
    qk::bench::CostlyPort& port_;
    uint8_t last_ = 0xFF;
    Clock::time_point start_{};
};

// The bus master on the costly port at START's calibrated clock.
struct CalibratedBus {
    CalibratedBus() : port(board, AccessCost), timed(port), bus(timed, quiet) {
        ok = qk::SclCalibration(bus).CalibrateScl(10.0).ok;
        registers.SetWiring(
            {.bus = &bus, .deviceAddress = [] { return uint8_t(0x34); }, .muteAllEngaged = {}});
    }
    qk::board::VirtualBoard board{qk::board::Chip::QK330};
    qk::bench::CostlyPort port;
    FrameTimingPort timed;
    Quiet quiet;
    qk::I2cBus bus;
    qk::RegisterBus registers;
    bool ok = false;
};

const auto kUnknown = [](uint8_t) -> std::optional<uint8_t> { return std::nullopt; };

void Report(benchmark::State& state, const FrameTimingPort& timed, Clock::duration wall) {
    const double wire = std::chrono::duration<double>(timed.wire).count();
    state.counters["frames"] = double(timed.frames) / double(state.iterations());
    state.counters["wire_ms"] = 1e3 * wire / double(state.iterations());
    state.counters["wall_over_wire"] = std::chrono::duration<double>(wall).count() / wire;
}

void BM_CliDumpQK330(benchmark::State& state) {
    CalibratedBus rig;
    if (!rig.ok) return state.SkipWithError("the calibration failed");
    Clock::duration wall{};
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        const auto snapshot =
            qk::TakeSnapshot(qk::ChipFamily::QK330, rig.registers, rig.bus, kUnknown);
        const std::string text = qk::FormatSnapshot(*snapshot);
        benchmark::DoNotOptimize(text);
        wall += Clock::now() - start;
    }
    Report(state, rig.timed, wall);
}

void BM_CliRestoreQK330(benchmark::State& state) {
    CalibratedBus rig;
    if (!rig.ok) return state.SkipWithError("the calibration failed");
    const std::string file = qk::FormatSnapshot(
        *qk::TakeSnapshot(qk::ChipFamily::QK330, rig.registers, rig.bus, kUnknown));
    rig.timed.wire = {};
    rig.timed.frames = 0;
    Clock::duration wall{};
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        const qk::ParsedSnapshot parsed = qk::ParseSnapshot(file, qk::ChipFamily::QK330, true);
        const qk::RestoreOutcome outcome = qk::RunRestore(
            qk::PlanRestore(*parsed.snapshot, {}), qk::ChipFamily::QK330, rig.registers, rig.bus);
        wall += Clock::now() - start;
        if (outcome.result != qk::RestoreOutcome::Result::Verified)
            return state.SkipWithError("the restore was not verified");
    }
    Report(state, rig.timed, wall);
}

BENCHMARK(BM_CliDumpQK330)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CliRestoreQK330)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
