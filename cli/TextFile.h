#pragma once
#include <string>
#include <vector>

namespace qk::cli {

// A text file a user hands the program (a script, a data log), read whole before anything is
// done with it. Refused with a reason when it cannot be read, is larger than MaximumBytes or
// holds a NUL byte (a binary file). A UTF-8 byte order mark at its start is skipped.
struct TextFile {
    static constexpr size_t MaximumBytes = 1 << 20;

    std::vector<std::string> lines;  // without line ends ("\n" or "\r\n")
    std::string error;               // "FILE: why", empty when read
};

TextFile ReadTextFile(const std::string& fileName);

// Whether two paths name one file: the same device and inode where both exist, else the same
// path once symbolic links and "." and ".." are resolved.
bool SameFile(const std::string& first, const std::string& second);

// "FILE:LINE: TEXT: reason": where a file was refused, for the user to find the line.
std::string LineError(const std::string& fileName, size_t lineNumber, const std::string& text,
                      const std::string& reason);

}  // namespace qk::cli
