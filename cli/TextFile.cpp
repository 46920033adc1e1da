#include "cli/TextFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
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
    // A byte order mark, as some editors write one, is no part of the first line.
    size_t start = content.starts_with("\xEF\xBB\xBF") ? 3 : 0;
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

bool SameFile(const std::string& first, const std::string& second) {
    struct stat a {
    }, b{};
    if (::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0)
        return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
    const auto resolved = [](const std::string& path) {
        namespace fs = std::filesystem;
        std::error_code error;
        const fs::path absolute = fs::absolute(path, error);
        if (error) return fs::path(path).lexically_normal();
        const fs::path canonical = fs::weakly_canonical(absolute, error);
        return error ? absolute.lexically_normal() : canonical;
    };
    return resolved(first) == resolved(second);
}

std::string LineError(const std::string& fileName, size_t lineNumber, const std::string& text,
                      const std::string& reason) {
    return fileName + ":" + std::to_string(lineNumber) + ": " + text + ": " + reason;
}

}  // namespace qk::cli
