#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace qk::cli {

// One frame of a DataLog.txt line "{0x34 0x13 0xc9 }": the 8-bit write address and the bytes
// after it. A frame of the sub-address alone is the first half of a register read (the log keeps
// only that half); a frame of the address alone carries nothing.
struct LoggedFrame {
    uint8_t address = 0;
    std::vector<uint8_t> bytes;
    size_t line = 0;   // from 1
    std::string text;  // the line as written

    bool IsRead() const { return bytes.size() == 1; }
};

struct LoggedFrames {
    std::vector<LoggedFrame> frames;
    std::string error;  // "FILE:LINE: TEXT: reason" for the first line that is not a frame
};

// Every line must be a frame (blank lines are skipped); parsed whole before anything is sent.
LoggedFrames ParseDatalog(const std::string& fileName, const std::vector<std::string>& lines);

}  // namespace qk::cli
