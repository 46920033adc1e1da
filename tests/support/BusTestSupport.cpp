#include "tests/support/BusTestSupport.h"

#include <cstdio>

namespace qk::test {

void RecordingLog::LogMarker(char marker) {
    pending += marker;
    if (marker == '}') {
        lines.push_back(pending);
        pending.clear();
    }
}

void RecordingLog::LogByte(uint8_t value) {
    char item[8];
    std::snprintf(item, sizeof item, "0x%x ", value);
    pending += item;
}

}  // namespace qk::test
