#pragma once
#include <cstdint>
#include <string>

namespace qk {

// Milliseconds since the epoch, now.
int64_t WallClockMs();
// "2026-12-08 09:30:12.345" (or "09:30:12.345" without the date): local time with milliseconds.
std::string LocalTimeText(int64_t timeMs, bool withDate = true);

}  // namespace qk
