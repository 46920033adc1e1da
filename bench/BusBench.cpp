// Cost of the bus operations on the virtual board with both delay counts 0: what the master itself
// spends per frame, and how many port accesses one frame takes.
#include <benchmark/benchmark.h>

#include "bench/NullSinks.h"
#include "board/VirtualBoard.h"
#include "core/bus/I2cBus.h"

namespace {

using qk::bench::NullLog;

// Counts accesses and answers like an idle bus with an acknowledging chip, so that only the
// master's own work is measured.
struct CountingPort : qk::PortIo {
    uint64_t accesses = 0;
    uint8_t PortRead(int) override {
        ++accesses;
        return qk::StatusScl;  // SCL high, SDA low: every wait ends at its first poll
    }
    void PortWrite(int, uint8_t) override { ++accesses; }
};

template <typename Port>
void Run(benchmark::State& state, Port& port, uint64_t (*accesses)(Port&), bool read) {
    NullLog log;
    qk::I2cBus bus(port, log);
    const uint8_t bytes[] = {0x13, 0xC9};
    uint8_t value = 0;
    const uint64_t before = accesses(port);
    for (auto _ : state) {
        if (read)
            bus.I2cRead(0x34, 0x00, &value, 1);
        else
            bus.I2cWrite(0x34, bytes, 2);
        benchmark::DoNotOptimize(value);
    }
    state.counters["port_accesses_per_frame"] =
        double(accesses(port) - before) / double(state.iterations());
}

uint64_t BoardAccesses(qk::board::VirtualBoard& board) {
    return board.PortAccesses();
}
uint64_t CountedAccesses(CountingPort& port) {
    return port.accesses;
}

void BM_WriteTwoBytes_VirtualBoard(benchmark::State& state) {
    qk::board::VirtualBoard board;
    Run(state, board, &BoardAccesses, false);
}
void BM_ReadOneByte_VirtualBoard(benchmark::State& state) {
    qk::board::VirtualBoard board;
    Run(state, board, &BoardAccesses, true);
}
void BM_WriteTwoBytes_MasterOnly(benchmark::State& state) {
    CountingPort port;
    Run(state, port, &CountedAccesses, false);
}
void BM_ReadOneByte_MasterOnly(benchmark::State& state) {
    CountingPort port;
    Run(state, port, &CountedAccesses, true);
}

BENCHMARK(BM_WriteTwoBytes_VirtualBoard);
BENCHMARK(BM_ReadOneByte_VirtualBoard);
BENCHMARK(BM_WriteTwoBytes_MasterOnly);
BENCHMARK(BM_ReadOneByte_MasterOnly);

}  // namespace
