#include "snapshot/SnapshotFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace qk {

namespace {

std::string Reason(const std::string& what, const std::string& path, int error) {
    return "cannot " + what + " " + path + ": " + std::strerror(error);
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The new file keeps the old one's permissions; a first save gets the usual ones.
mode_t ModeFor(const std::string& path) {
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) return old.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

bool WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += static_cast<size_t>(written);
    }
    return true;
}

}  // namespace

ParsedSnapshot ReadSnapshotFile(const std::string& path, ChipFamily family) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return {std::nullopt, Reason("open", path, errno)};
    std::vector<char> bytes(kMaxSnapshotFileSize + 1);
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file.bad()) return {std::nullopt, Reason("read", path, errno)};
    if (file.gcount() > kMaxSnapshotFileSize)
        return {std::nullopt, "the file is larger than 1 MiB: not a snapshot"};
    return ParseSnapshot(std::string_view(bytes.data(), static_cast<size_t>(file.gcount())),
                         family);
}

std::string SaveTextFile(const std::string& path, const std::string& text) {
    std::string temporary = path + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return Reason("save", path, errno);
    const mode_t mode = ModeFor(path);
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, text) && ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return Reason("save", path, error);
    }
    // The rename itself reaches the disk with the folder.
    if (const int folder = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY); folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return {};
}

}  // namespace qk
