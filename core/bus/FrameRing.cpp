#include "core/bus/FrameRing.h"

namespace qk {

void FrameRing::Push(MonitoredFrame frame) {
    if (slots_.empty()) return;
    frame.sequence = next_++;
    if (size_ < slots_.size()) {
        slots_[(oldest_ + size_) % slots_.size()] = std::move(frame);
        ++size_;
    } else {
        slots_[oldest_] = std::move(frame);
        oldest_ = (oldest_ + 1) % slots_.size();
    }
}

void FrameRing::Clear() {
    for (size_t i = 0; i < size_; ++i) slots_[(oldest_ + i) % slots_.size()] = {};
    oldest_ = 0;
    size_ = 0;
}

const MonitoredFrame* FrameRing::Find(uint64_t sequence) const {
    if (sequence < FirstSequence() || sequence >= next_) return nullptr;
    return &slots_[(oldest_ + (sequence - FirstSequence())) % slots_.size()];
}

}  // namespace qk
