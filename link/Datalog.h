#pragma once
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>

#include "link/I2cBus.h"

namespace qk {

// The transaction log: one line per bus frame, "{0x34 0x13 0xc9 }", written to DataLog.txt in the
// working directory. Each frame's line is flushed at its end, so nothing logged is lost if the
// program ends abruptly.
class TransactionLog : public FrameLogSink {
  public:
    // How the log reports itself: the two status lines, and the "DataLog On>" check box.
    struct Display {
        std::function<void(const std::string&)> firstStatus;
        std::function<void(const std::string&)> secondStatus;
        std::function<void(bool)> setChecked;
    };

    explicit TransactionLog(Display display, std::string fileName = "DataLog.txt");

    // On: truncate and open the file; off: close it. Returns whether logging is on afterwards.
    bool SetLogging(bool on);
    void LogMarker(char marker) override;
    void LogByte(uint8_t value) override;

    bool Enabled() const { return enabled_; }
    // The system's reason for the last failed open (empty after a successful one).
    const std::string& OpenError() const { return openError_; }

  private:
    Display display_;
    std::string fileName_;
    std::ofstream out_;
    bool enabled_ = false;
    std::string openError_;
};

}  // namespace qk
