#pragma once
#include <chrono>
#include <cstdint>
#include <utility>
#include <vector>

#include "board/VirtualBoard.h"
#include "link/Port.h"

namespace qk::bench {

// The virtual board behind a port whose every access takes a fixed time, as a real parallel port's
// does (about a microsecond): each read and write busy-waits until the cost is spent. While
// recording, each control write leaves the time it began and the SCL level after it: every write
// costs the same, so the times between samples are the times between line changes.
class CostlyPort : public PortIo {
  public:
    using Clock = std::chrono::steady_clock;
    struct SclSample {
        Clock::time_point at;
        bool scl;
    };

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
        if (recording_ && port == ControlPort) samples_.push_back({start, board_.SclLine()});
        SpendTheRest(start);
    }

    void StartRecording() {
        samples_.clear();
        recording_ = true;
    }
    std::vector<SclSample> StopRecording() {
        recording_ = false;
        return std::move(samples_);
    }

  private:
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
    std::vector<SclSample> samples_;
};

}  // namespace qk::bench
