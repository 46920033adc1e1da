#pragma once
#include <cstdint>

namespace qk {

// Exactly n empty iterations. The empty asm statement is volatile, so the compiler must keep every
// iteration: the calibration counts in these iterations.
inline void SpinLoop(uint32_t n) {
    for (uint32_t i = 0; i < n; ++i) asm volatile("");
}

}  // namespace qk
