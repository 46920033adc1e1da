// The status watch and the bus monitor in the running program on the virtual board:
// - polling at 100 ms, with the bus at the calibrated clock: the process's CPU time per second of
//   polling, as a percentage of one core;
// - READ ALL over and over until 10,000 frames have come: whether the monitor kept every one, and
//   the longest time the event loop went without turning (a heartbeat timer's largest gap).
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QSpinBox>
#include <QTimer>
#include <ctime>

#include "bench/NullSinks.h"
#include "board/VirtualBoard.h"
#include "core/bus/I2cBus.h"
#include "core/bus/SclCalibration.h"
#include "gui/app/Okapimain.h"
#include "gui/app/Program.h"
#include "gui/bus/BusMonitorunit.h"
#include "gui/bus/I2cunit.h"
#include "gui/bus/StatusWatchunit.h"
#include "gui/qk330/QK330Regunit.h"
#include "gui/registry/Forms.h"
#include "gui/widgets/FrameTableModel.h"

namespace {

using qk::bench::NullLog;

QApplication& App() {
    static int argc = 1;
    static char name[] = "qk_watch_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    static bool initialised = false;
    if (!initialised) qk::InitialiseApplication();
    initialised = true;
    return app;
}

double ProcessCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

void Press(QWidget* window, const char* name) {
    window->findChild<QAbstractButton*>(name)->click();
}

// Runs the event loop for `ms` milliseconds.
void RunFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// START calibrates the clock on this machine and finds the QK310; the chip is selected.
void StartOnQK310() {
    Press(OkapiForm, "StartBitBtn");
    Press(OkapiForm, "QK310RadioButton");
}

// The process's CPU time per second of wall time while the event loop runs for `seconds`, in
// percent of one core.
double CpuPercentOver(int seconds) {
    const double cpu = ProcessCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    RunFor(seconds * 1000);
    return 100.0 * (ProcessCpuSeconds() - cpu) / (double(wall.elapsed()) / 1000.0);
}

// The program idle with the watch open, then polling: the difference is what polling costs.
void BM_StatusWatchAt100ms(benchmark::State& state) {
    App();
    qk::board::VirtualBoard board(qk::board::Chip::QK310);
    qk::Program program(board);
    program.Show();
    StartOnQK310();
    qk::OpenWindow(StatusWatchForm);
    StatusWatchForm->findChild<QSpinBox*>("IntervalSpinBox")->setValue(100);
    constexpr int Seconds = 5;
    double idle = 0, polling = 0;
    for (auto _ : state) {
        idle = CpuPercentOver(Seconds);
        Press(StatusWatchForm, "StartStopButton");
        board.ClearFrames();
        polling = CpuPercentOver(Seconds);
        Press(StatusWatchForm, "StartStopButton");
    }
    state.counters["idle_cpu_percent"] = idle;
    state.counters["polling_cpu_percent"] = polling;
    state.counters["polling_cost_percent"] = polling - idle;
    state.counters["polls_per_second"] = double(board.Frames().size()) / 4.0 / Seconds;
    state.counters["half_period_count"] = program.Session().ParallelBus().HalfPeriodCount;
}
BENCHMARK(BM_StatusWatchAt100ms)->Iterations(1)->Unit(benchmark::kSecond);

// The bus part of one poll alone: the two status reads at the calibrated clock.
void BM_StatusPollOnTheBus(benchmark::State& state) {
    qk::board::VirtualBoard board(qk::board::Chip::QK310);
    NullLog log;
    qk::I2cBus bus(board, log);
    qk::SclCalibration(bus).CalibrateScl(10.0);
    uint8_t values[2] = {};
    const double cpu = ProcessCpuSeconds();
    for (auto _ : state) {
        bus.I2cRead(0x34, 0x00, &values[0], 1);
        bus.I2cRead(0x34, 0x01, &values[1], 1);
        benchmark::DoNotOptimize(values);
    }
    state.counters["cpu_percent_at_100ms"] =
        100.0 * (ProcessCpuSeconds() - cpu) / double(state.iterations()) / 0.1;
}
BENCHMARK(BM_StatusPollOnTheBus)->Unit(benchmark::kMicrosecond);

void BM_MonitorKeepsUpWithReadAll(benchmark::State& state) {
    App();
    qk::board::VirtualBoard board(qk::board::Chip::QK330);
    qk::Program program(board);
    program.Show();
    qk::OpenWindow(BusMonitorForm);
    constexpr size_t Frames = 10000;
    qint64 longestGapMs = 0;
    size_t kept = 0, rows = 0;
    for (auto _ : state) {
        Press(BusMonitorForm, "ClearButton");
        board.ClearFrames();
        const uint64_t first = BusMonitorForm->Recorder().Ring().NextSequence();
        QElapsedTimer sinceBeat;
        sinceBeat.start();
        QTimer heartbeat;
        QObject::connect(&heartbeat, &QTimer::timeout,
                         [&] { longestGapMs = std::max(longestGapMs, sinceBeat.restart()); });
        heartbeat.start(0);
        // READ ALL as the user would press it, again and again, between turns of the event loop.
        QTimer presser;
        QEventLoop loop;
        QObject::connect(&presser, &QTimer::timeout, [&] {
            if (BusMonitorForm->Recorder().Ring().NextSequence() - first >= Frames) {
                loop.quit();
                return;
            }
            QK330RegForm->findChild<QAbstractButton*>("ReadAllButton")->click();
        });
        presser.start(0);
        loop.exec();
        RunFor(100);  // the table takes in the last batch
        kept = BusMonitorForm->Recorder().Ring().NextSequence() - first;
        rows = static_cast<size_t>(BusMonitorForm->ui.FramesTable->model()->rowCount());
    }
    state.counters["frames_recorded"] = double(kept);
    state.counters["frames_on_the_bus"] = double(board.Frames().size());
    state.counters["table_rows"] = double(rows);
    state.counters["longest_event_loop_gap_ms"] = double(longestGapMs);
}
BENCHMARK(BM_MonitorKeepsUpWithReadAll)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
