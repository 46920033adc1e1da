#pragma once
#include <chrono>
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>

#include "board/VirtualBoard.h"

namespace qk::board {

// Writes SCL and SDA as the board sees them to a Value Change Dump file that logic-analyser
// programs open: timestamps in ticks of kTick from the moment the file was opened, one line per
// change. Two changes never share a timestamp, so the order of the edges (a START is SDA falling
// while SCL is high) survives. The file is flushed at every STOP; a write that fails ends the trace
// and says why once.
class VcdTrace : public VirtualBoard::LineObserver {
  public:
    using Clock = std::chrono::steady_clock;
    // Fine enough for the bus's shortest phase (250 ns), coarse enough that a decoder, which walks
    // the trace sample by sample, reads minutes of it in seconds.
    static constexpr std::chrono::nanoseconds kTick{100};

    VcdTrace() = default;
    ~VcdTrace() override { Close(); }
    VcdTrace(const VcdTrace&) = delete;
    VcdTrace& operator=(const VcdTrace&) = delete;

    // Creates (or truncates) the file and writes its header with the present line levels. On
    // failure, Error() says why.
    bool Open(const std::string& path, bool scl, bool sda);
    void OnLines(bool scl, bool sda) override;
    void Close();

    bool IsOpen() const { return out_.is_open(); }
    const std::string& Error() const { return error_; }
    // Told once when a write fails after a successful open.
    std::function<void(const std::string&)> onWriteError;

  private:
    void Check();

    std::ofstream out_;
    std::string path_;
    std::string error_;
    Clock::time_point start_;
    int64_t lastTick_ = -1;
    bool scl_ = true, sda_ = true;
};

}  // namespace qk::board
