#include "cli/TextFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace qk::cli {

TextFile ReadTextFile(const std::string& fileName) {
    TextFile file;
    errno = 0;
    std::ifstream in(fileName, std::ios::binary);
    if (!in) {
        file.error = fileName + ": " + (errno ? std::strerror(errno) : "cannot be opened");
        return file;
    }
    std::string content;
    content.resize(TextFile::MaximumBytes + 1);
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    if (in.bad()) {
        file.error = fileName + ": cannot be read";
        return file;
    }
    content.resize(static_cast<size_t>(in.gcount()));
    if (content.size() > TextFile::MaximumBytes) {
        file.error = fileName + ": larger than 1 MiB, not a file of this program";
        return file;
    }
    if (content.find('\0') != std::string::npos) {
        file.error = fileName + ": a binary file, not text";
        return file;
    }
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        file.lines.push_back(std::move(line));
        start = end + 1;
    }
    return file;
}

std::string LineError(const std::string& fileName, size_t lineNumber, const std::string& text,
                      const std::string& reason) {
    return fileName + ":" + std::to_string(lineNumber) + ": " + text + ": " + reason;
}

}  // namespace qk::cli
