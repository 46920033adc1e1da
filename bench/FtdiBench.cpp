// The QK330 register editor's READ ALL on an FTDI bridge: the real bus master (FtdiBus) on an
// FT232H emulated behind libftdi (tests/support/EmulatedFtdi.h), whose engine clocks the virtual
// QK330 on a modelled clock, with a modelled USB round trip of 1 ms. The figures are the model's,
// per READ ALL: frames, USB round trips (at most one a frame), the modelled time, the frames a
// second it allows, and the time on the wire (the modelled time less the round trips).
#include <benchmark/benchmark.h>

#include <chrono>

#include "bench/NullSinks.h"
#include "board/VirtualBoard.h"
#include "core/bus/FtdiBus.h"
#include "core/chips/QK330RegisterImage.h"
#include "tests/support/EmulatedFtdi.h"

namespace {

using qk::test::EmulatedFtdi;
constexpr std::chrono::milliseconds RoundTrip{1};

// The register editor's READ ALL in its order (gui/qk330/QK330Regunit.cpp): each register read
// (its sub-address written, then read: two frames), and the six with a setup window written back
// as read when their windows reload (one frame each).
struct EditorRegister {
    uint8_t reg;
    bool writtenBack;
};
constexpr EditorRegister kReadAll[] = {
    {0x00, false}, {0x01, false}, {0x03, true},  {0x04, true},  {0x05, true}, {0x0C, false},
    {0x0D, true},  {0x0E, true},  {0x11, false}, {0x12, false}, {0x13, true},
};

constexpr long FramesOfReadAll() {
    long frames = 0;
    for (const EditorRegister& r : kReadAll) frames += r.writtenBack ? 3 : 2;
    return frames;
}

void BM_QK330ReadAllOnFtdi(benchmark::State& state) {
    qk::board::VirtualBoard board(qk::board::Chip::QK330);
    EmulatedFtdi ftdi({{.pins = &board}});
    EmulatedFtdi::SetRoundTrip(RoundTrip);
    qk::bench::NullLog log;
    qk::FtdiBus bus("", log);
    if (!bus.Setup()) return state.SkipWithError(bus.SetupError().c_str());
    qk::QK330RegisterImage image;
    image.SetWiring(
        {.bus = &bus, .deviceAddress = [] { return uint8_t(0x34); }, .muteAllEngaged = {}});
    board.ClearFrames();
    const long tripsBefore = EmulatedFtdi::RoundTrips();
    const double secondsBefore = EmulatedFtdi::ModelledSeconds();

    for (auto _ : state) {
        for (const EditorRegister& r : kReadAll) {
            const uint8_t value = image.ReadAndStore(r.reg);
            if (r.writtenBack) image.StoreAndWrite(r.reg, value);
        }
    }

    const double readAlls = double(state.iterations());
    const double frames = double(board.Frames().size()) / readAlls;
    const double trips = double(EmulatedFtdi::RoundTrips() - tripsBefore) / readAlls;
    const double seconds = (EmulatedFtdi::ModelledSeconds() - secondsBefore) / readAlls;
    if (bus.AckError() || bus.WaitError() || bus.OtherError())
        return state.SkipWithError("a bus error: the chip did not answer every frame");
    if (frames != double(FramesOfReadAll()))
        return state.SkipWithError("the board did not see READ ALL's frames");
    if (trips > frames) return state.SkipWithError("more USB round trips than frames");
    state.counters["frames"] = frames;
    state.counters["round_trips"] = trips;
    state.counters["round_trips_per_frame"] = trips / frames;
    state.counters["modelled_s"] = seconds;
    state.counters["modelled_frames_per_s"] = frames / seconds;
    state.counters["wire_s"] = seconds - trips * std::chrono::duration<double>(RoundTrip).count();
}
BENCHMARK(BM_QK330ReadAllOnFtdi)->Unit(benchmark::kMillisecond);

}  // namespace
