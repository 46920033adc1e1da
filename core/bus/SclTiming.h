#pragma once
#include <chrono>
#include <cstdint>
#include <functional>

#include "core/bus/BusyLoop.h"

namespace qk {

// The monotonic clock of this machine, in nanoseconds.
inline std::chrono::nanoseconds SteadyNow() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

// What the bus master and its calibration time with: a monotonic clock and the busy loop whose
// iterations the calibration counts (and the bus master spins between two readings of the clock).
// Both are replaceable so that a test can play a machine of any speed.
struct SclTiming {
    using Clock = std::function<std::chrono::nanoseconds()>;
    using Spin = std::function<void(uint32_t iterations)>;

    Clock now = &SteadyNow;
    Spin spin = &SpinLoop;
};

}  // namespace qk
