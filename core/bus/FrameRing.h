#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/bus/I2cMaster.h"

namespace qk {

// A frame as the bus monitor keeps it: when it ended, what it was, which register it addressed,
// and what it meant.
struct MonitoredFrame {
    uint64_t sequence = 0;  // 0 for the first frame recorded, counting on through drops and clears
    int64_t timeMs = 0;     // milliseconds since the epoch
    FrameRecord frame;
    int subAddress = -1;  // the register written or read; -1 for a probe or an empty frame
    std::string meaning;
};

// The last `capacity` frames, oldest first: memory stays bounded however long the monitor runs.
// Frames are found by their sequence number, so a view can tell a dropped frame from a kept one.
class FrameRing {
  public:
    explicit FrameRing(size_t capacity) : slots_(capacity) {}

    void Push(MonitoredFrame frame);
    void Clear();

    size_t Size() const { return size_; }
    size_t Capacity() const { return slots_.size(); }
    // The sequence number the next frame gets, and the oldest one still kept.
    uint64_t NextSequence() const { return next_; }
    uint64_t FirstSequence() const { return next_ - size_; }
    // The kept frame with this sequence number, or nullptr once it was dropped (or not yet come).
    const MonitoredFrame* Find(uint64_t sequence) const;

  private:
    std::vector<MonitoredFrame> slots_;
    size_t oldest_ = 0;
    size_t size_ = 0;
    uint64_t next_ = 0;
};

}  // namespace qk
