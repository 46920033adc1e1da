#pragma once
#include <chrono>
#include <cstdint>
#include <utility>
#include <vector>

#include "board/VirtualBoard.h"
#include "board/WirePhases.h"
#include "core/bus/Port.h"

namespace qk::bench {

// The virtual board behind a port whose every access takes a fixed time, as a real parallel port's
// does (about a microsecond): each read and write busy-waits until the cost is spent. While
// recording, each control write leaves the times it was called and returned (the board's lines
// change at the call) and the lines after it.
class CostlyPort : public PortIo {
  public:
    using Clock = std::chrono::steady_clock;

    CostlyPort(board::VirtualBoard& board, std::chrono::nanoseconds accessCost)
        : board_(board), accessCost_(accessCost) {}

    uint8_t PortRead(int port) override {
        const Clock::time_point start = StartOfAccess();
        const uint8_t value = board_.PortRead(port);
        SpendTheRest(start);
        return value;
    }

    void PortWrite(int port, uint8_t value) override {
        const Clock::time_point start = StartOfAccess();
        board_.PortWrite(port, value);
        SpendTheRest(start);
        if (recording_ && port == ControlPort)
            samples_.push_back(
                {Since(start), Since(Clock::now()), board_.SclLine(), board_.SdaLine()});
    }

    void StartRecording() {
        samples_.clear();
        recording_ = true;
    }
    std::vector<board::LineSample> StopRecording() {
        recording_ = false;
        return std::move(samples_);
    }

  private:
    static std::chrono::nanoseconds Since(Clock::time_point at) {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(at.time_since_epoch());
    }
    // A free port reads no clock unless it records: it is then the bare board.
    Clock::time_point StartOfAccess() const {
        return recording_ || Costly() ? Clock::now() : Clock::time_point{};
    }
    void SpendTheRest(Clock::time_point start) const {
        if (!Costly()) return;
        while (Clock::now() - start < accessCost_) {
        }
    }
    bool Costly() const { return accessCost_.count() > 0; }

    board::VirtualBoard& board_;
    std::chrono::nanoseconds accessCost_;
    bool recording_ = false;
    std::vector<board::LineSample> samples_;
};

}  // namespace qk::bench
