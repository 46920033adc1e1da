#include "link/Datalog.h"

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
            openError_ = fileName_ + ": " + (errno ? std::strerror(errno) : "cannot be opened");
            SetLogging(false);
            if (display_.secondStatus) display_.secondStatus("DATALOG OPEN ERR");
            return false;
        }
        openError_.clear();
        if (display_.firstStatus) display_.firstStatus("READY");
        if (display_.secondStatus) display_.secondStatus("DATALOG ON");
        return true;
    }
    if (display_.setChecked) display_.setChecked(false);
    if (enabled_) {
        enabled_ = false;
        if (out_.is_open()) out_.close();
    }
    out_.clear();
    if (display_.firstStatus) display_.firstStatus("READY");
    if (display_.secondStatus) display_.secondStatus("READY");
    return false;
}

void TransactionLog::LogMarker(char marker) {
    if (!enabled_) return;
    if (marker == '}') {
        out_ << "}\n";
        out_.flush();
    } else {
        out_ << marker;
    }
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
