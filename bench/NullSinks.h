#pragma once
#include <cstdint>

#include "core/bus/I2cMaster.h"

namespace qk::bench {

// The frame log, kept nowhere.
struct NullLog : FrameLogSink {
    void LogMarker(char) override {}
    void LogByte(uint8_t) override {}
};

}  // namespace qk::bench
