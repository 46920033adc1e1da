#include "core/bus/Datalog.h"

#include <cerrno>
#include <cstring>

namespace qk {

TransactionLog::TransactionLog(Display display, std::string fileName)
    : display_(std::move(display)), fileName_(std::move(fileName)) {}

bool TransactionLog::SetLogging(bool on) {
    if (on) {
        enabled_ = true;
        if (display_.setChecked) display_.setChecked(true);
        errno = 0;
        out_.open(fileName_, std::ios::out | std::ios::trunc);
        if (!out_.is_open()) {
            Fail("DATALOG OPEN ERR", "cannot be opened");
            return false;
        }
        error_.clear();
        if (display_.reason) display_.reason(error_);
        if (display_.firstStatus) display_.firstStatus("READY");
        if (display_.secondStatus) display_.secondStatus("DATALOG ON");
        return true;
    }
    if (display_.setChecked) display_.setChecked(false);
    // What the last frame left in the stream's buffer is written by the close: its failure is
    // a write error too (once: a log that failed before is not told again).
    bool closeFailed = false;
    if (enabled_) {
        enabled_ = false;
        if (out_.is_open()) {
            const bool wasGood = out_.good();
            errno = 0;
            out_.close();
            closeFailed = wasGood && out_.fail();
        }
    }
    const int closeError = errno;
    out_.clear();
    if (display_.firstStatus) display_.firstStatus("READY");
    if (display_.secondStatus) display_.secondStatus(closeFailed ? "DATALOG WRITE ERR" : "READY");
    if (closeFailed) {
        error_ = fileName_ + ": " + (closeError ? std::strerror(closeError) : "cannot be written");
        if (display_.reason) display_.reason(error_);
    }
    return false;
}

// Logging goes off, the status lines end with `status`, and the reason is told.
void TransactionLog::Fail(const std::string& status, const char* unknownReason) {
    const int error = errno;
    error_ = fileName_ + ": " + (error ? std::strerror(error) : unknownReason);
    SetLogging(false);
    if (display_.secondStatus) display_.secondStatus(status);
    if (display_.reason) display_.reason(error_);
}

void TransactionLog::LogMarker(char marker) {
    if (!enabled_) return;
    if (marker != '}') {
        out_ << marker;
        return;
    }
    errno = 0;
    out_ << "}\n";
    out_.flush();
    if (!out_) Fail("DATALOG WRITE ERR", "cannot be written");
}

void TransactionLog::LogByte(uint8_t value) {
    if (!enabled_) return;
    static const char digits[] = "0123456789abcdef";
    char text[6];
    int n = 0;
    text[n++] = '0';
    text[n++] = 'x';
    if (value >= 0x10) text[n++] = digits[value >> 4];
    text[n++] = digits[value & 0xF];
    text[n++] = ' ';
    out_.write(text, n);
}

}  // namespace qk
