#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "board/VirtualBoard.h"
#include "core/bus/I2cBus.h"

namespace qk::test {

// Records what the bus master shows: the three status lines and the dialogs it opens.
struct RecordingErrorSink : I2cErrorSink {
    std::string first, second, third;
    int ackDialogs = 0, waitDialogs = 0;
    void ShowFirstErrorLine(const std::string& text) override { first = text; }
    void ShowSecondErrorLine(const std::string& text) override { second = text; }
    void ShowErrorLine(const std::string& text) override { third = text; }
    void ShowAckErrorDialog() override { ++ackDialogs; }
    void ShowWaitErrorDialog() override { ++waitDialogs; }
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
        : board(chip, boardAddress), bus(board, errors, log) {}
    board::VirtualBoard board;
    RecordingErrorSink errors;
    RecordingLog log;
    I2cBus bus;
};

// A bus master on a port of the test's, timed by a machine of the test's.
struct BusOn {
    BusOn(PortIo& port, SclTiming timing) : bus(port, errors, log) {
        bus.SetTiming(std::move(timing));
    }
    RecordingErrorSink errors;
    RecordingLog log;
    I2cBus bus;
};

}  // namespace qk::test
