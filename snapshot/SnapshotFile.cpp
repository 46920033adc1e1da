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

// The file's text; empty with `error` set when it cannot be read or is too large for a snapshot.
std::optional<std::string> SnapshotFileText(const std::string& path, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = Reason("open", path, errno);
        return std::nullopt;
    }
    std::vector<char> bytes(kMaxSnapshotFileSize + 1);
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file.bad()) {
        error = Reason("read", path, errno);
        return std::nullopt;
    }
    if (file.gcount() > kMaxSnapshotFileSize) {
        error = "the file is larger than 1 MiB: not a snapshot";
        return std::nullopt;
    }
    return std::string(bytes.data(), static_cast<size_t>(file.gcount()));
}

}  // namespace

ParsedSnapshot ReadSnapshotFile(const std::string& path, ChipFamily family, bool familyGiven) {
    std::string error;
    const std::optional<std::string> text = SnapshotFileText(path, error);
    return text ? ParseSnapshot(*text, family, familyGiven) : ParsedSnapshot{std::nullopt, error};
}

ParsedSnapshot ReadSnapshotFileOfItsChip(const std::string& path) {
    std::string error;
    const std::optional<std::string> text = SnapshotFileText(path, error);
    return text ? ParseSnapshotOfItsChip(*text) : ParsedSnapshot{std::nullopt, error};
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
