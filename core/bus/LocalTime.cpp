#include "core/bus/LocalTime.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace qk {

int64_t WallClockMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::string LocalTimeText(int64_t timeMs, bool withDate) {
    const std::time_t seconds = timeMs / 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[96];
    const int ms = static_cast<int>(timeMs % 1000);
    if (withDate)
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", local.tm_year + 1900,
                      local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                      ms);
    else
        std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min,
                      local.tm_sec, ms);
    return text;
}

}  // namespace qk
