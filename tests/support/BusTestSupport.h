#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "board/VirtualBoard.h"
#include "core/bus/I2cBus.h"

namespace qk::test {

// Records the bus errors the master tells.
struct RecordingErrorListener : BusErrorListener {
    std::vector<BusErrorEvent> events;
    void OnBusError(const BusErrorEvent& event) override { events.push_back(event); }
};

// Collects logged frames as lines in the log file's format.
struct RecordingLog : FrameLogSink {
    std::vector<std::string> lines;
    std::string pending;
    void LogMarker(char marker) override;
    void LogByte(uint8_t value) override;
};

// A bus master wired to a virtual board, with both delay counts 0, on the real clock.
struct BusRig {
    explicit BusRig(board::Chip chip = board::Chip::QK310, uint8_t boardAddress = 0x34)
        : board(chip, boardAddress), bus(board, log) {
        bus.AddBusErrorListener(&errors);
    }
    board::VirtualBoard board;
    RecordingErrorListener errors;
    RecordingLog log;
    I2cBus bus;
};

// A bus master on a port of the test's, timed by a machine of the test's.
struct BusOn {
    BusOn(PortIo& port, SclTiming timing) : bus(port, log) {
        bus.AddBusErrorListener(&errors);
        bus.SetTiming(std::move(timing));
    }
    RecordingErrorListener errors;
    RecordingLog log;
    I2cBus bus;
};

}  // namespace qk::test
