#include "cli/DatalogFrames.h"

#include <sstream>

#include "cli/Numbers.h"
#include "cli/TextFile.h"
#include "core/cmdline/NumberRule.h"

namespace qk::cli {

namespace {

// The frame on one line, or the reason it is not one.
std::string ReadFrame(const std::string& line, LoggedFrame& frame) {
    const size_t open = line.find_first_not_of(" \t");
    const size_t close = line.find_last_not_of(" \t\r");
    if (line[open] != '{' || line[close] != '}' || close == open)
        return "not a frame: a frame reads {0x34 0x03 0x13 }";
    std::istringstream in(line.substr(open + 1, close - open - 1));
    std::vector<uint8_t> bytes;
    for (std::string word; in >> word;) {
        if (!word.starts_with("0x") && !word.starts_with("0X"))
            return "'" + word + "' is not a byte as the log writes it (0x0..0xff)";
        const auto byte = cmdline::ReadHex(word, cmdline::kValueNumber).value;
        if (!byte) return "'" + word + "' is not a byte as the log writes it (0x0..0xff)";
        bytes.push_back(*byte);
    }
    if (bytes.empty()) return "a frame without its address";
    if (bytes[0] & 0x01) return "a read address: the log holds write frames only";
    frame.address = bytes[0];
    frame.bytes.assign(bytes.begin() + 1, bytes.end());
    return {};
}

}  // namespace

LoggedFrames ParseDatalog(const std::string& fileName, const std::vector<std::string>& lines) {
    LoggedFrames log;
    for (size_t index = 0; index < lines.size(); ++index) {
        if (lines[index].find_first_not_of(" \t\r") == std::string::npos) continue;
        LoggedFrame frame;
        frame.line = index + 1;
        frame.text = lines[index];
        if (const std::string reason = ReadFrame(lines[index], frame); !reason.empty()) {
            log.frames.clear();
            log.error = LineError(fileName, index + 1, lines[index], reason);
            return log;
        }
        log.frames.push_back(std::move(frame));
    }
    return log;
}

}  // namespace qk::cli
