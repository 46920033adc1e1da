#pragma once
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>

#include "core/bus/I2cBus.h"

namespace qk {

// The transaction log: one line per bus frame, "{0x34 0x13 0xc9 }", written to DataLog.txt in the
// working directory. Each frame's line is flushed at its end, so nothing logged is lost if the
// program ends abruptly. A line that cannot be written (a full disk) stops the log at once and says
// so, keeping the lines already written.
class TransactionLog : public FrameLogSink {
  public:
    // How the log reports itself: the two status lines, and the "DataLog On>" check box.
    struct Display {
        std::function<void(const std::string&)> firstStatus;
        std::function<void(const std::string&)> secondStatus;
        std::function<void(bool)> setChecked;
        // The system's reason when the file cannot be opened or written; empty once it can.
        std::function<void(const std::string&)> reason;
    };

    explicit TransactionLog(Display display, std::string fileName = "DataLog.txt");
    void SetDisplay(Display display) { display_ = std::move(display); }

    // On: truncate and open the file; off: close it. Returns whether logging is on afterwards.
    bool SetLogging(bool on);
    void LogMarker(char marker) override;
    void LogByte(uint8_t value) override;

    bool Enabled() const { return enabled_; }
    // The system's reason for the last failed open or write (empty after a successful open).
    const std::string& Error() const { return error_; }

  private:
    void Fail(const std::string& status, const char* unknownReason);

    Display display_;
    std::string fileName_;
    std::ofstream out_;
    bool enabled_ = false;
    std::string error_;
};

}  // namespace qk
