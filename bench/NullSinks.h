#pragma once
#include <cstdint>
#include <string>

#include "core/bus/I2cMaster.h"

namespace qk::bench {

// A bus master's error lines and dialogs, shown nowhere: benchmarks time the wire alone.
struct NullErrors : I2cErrorSink {
    void ShowFirstErrorLine(const std::string&) override {}
    void ShowSecondErrorLine(const std::string&) override {}
    void ShowErrorLine(const std::string&) override {}
    void ShowAckErrorDialog() override {}
    void ShowWaitErrorDialog() override {}
};

// The frame log, kept nowhere.
struct NullLog : FrameLogSink {
    void LogMarker(char) override {}
    void LogByte(uint8_t) override {}
};

}  // namespace qk::bench
