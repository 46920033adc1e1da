#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace qk::cli {

// One command of a `run` script, one a line:
//   w REG BYTE...                  write the bytes from REG on, in one frame
//   r REG [EXPECT [MASK]]          read REG and print it; stop unless (value & MASK) == EXPECT
//   d MS                           wait MS milliseconds
//   wait REG MASK VALUE [TIMEOUT]  read REG until (value & MASK) == VALUE, at most TIMEOUT ms
//   # ...                          a comment (also after a command); blank lines are skipped
struct ScriptCommand {
    enum class Kind { Write, Read, Delay, Wait };
    static constexpr uint32_t DefaultWaitMs = 1000;
    static constexpr uint32_t LongestDelayMs = 600000;

    Kind kind = Kind::Write;
    uint8_t reg = 0;
    std::vector<uint8_t> bytes;  // Write
    bool expects = false;        // Read with EXPECT
    uint8_t expected = 0;        // Read: EXPECT; Wait: VALUE
    uint8_t mask = 0xFF;         // Read, Wait
    uint32_t milliseconds = 0;   // Delay; Wait: the time-out
    size_t line = 0;             // where it stands in its file, from 1
    std::string text;            // the line as written
};

struct Script {
    std::vector<ScriptCommand> commands;
    std::string error;  // "FILE:LINE: TEXT: reason" for the first bad line; then no commands
};

// Parses every line before anything may run, so that a bad line costs no frame.
Script ParseScript(const std::string& fileName, const std::vector<std::string>& lines);

// A `w` line as scripts are written: "w 0x03 0x13".
std::string ScriptWriteLine(uint8_t reg, const std::vector<uint8_t>& bytes);

}  // namespace qk::cli
