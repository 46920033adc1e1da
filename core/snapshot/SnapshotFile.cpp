#include "core/snapshot/SnapshotFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
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

// Where a save lands: the file a symbolic link leads to (the link stays a link), or the path
// itself. Only a regular file, or none yet, is saved over: never a folder, a device or a FIFO.
std::string SaveTarget(const std::string& path, std::string& error) {
    std::string target = path;
    for (int links = 0;; ++links) {
        struct stat status {};
        if (::lstat(target.c_str(), &status) != 0) {
            if (errno != ENOENT) error = Reason("save", path, errno);
            return target;
        }
        if (S_ISREG(status.st_mode)) return target;
        if (S_ISDIR(status.st_mode)) {
            error = Reason("save", path, EISDIR);
            return target;
        }
        if (!S_ISLNK(status.st_mode)) {
            error = "cannot save " + path + ": not a regular file";
            return target;
        }
        if (links == 40) {
            error = Reason("save", path, ELOOP);
            return target;
        }
        std::string link(PATH_MAX, '\0');
        const ssize_t size = ::readlink(target.c_str(), link.data(), link.size());
        if (size < 0) {
            error = Reason("save", path, errno);
            return target;
        }
        link.resize(static_cast<size_t>(size));
        target = link.starts_with('/') ? link : FolderOf(target) + "/" + link;
    }
}

// The temporary file of the save in flight, removed by a signal that ends the program before the
// save has renamed or removed it. The handler is installed for the save's length only and does
// nothing but unlink(2) and sigaction(2), which are async-signal-safe; a signal that the program
// handles itself goes to its handler, and the save ends as usual.
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};
char inFlightPath[PATH_MAX + 1];
struct sigaction before[std::size(kEndingSignals)];

extern "C" void RemoveInFlight(int signal, siginfo_t* info, void* context) {
    const int savedErrno = errno;
    for (size_t i = 0; i < std::size(kEndingSignals); ++i) {
        if (kEndingSignals[i] != signal) continue;
        const struct sigaction& previous = before[i];
        if (previous.sa_flags & SA_SIGINFO) {
            previous.sa_sigaction(signal, info, context);
        } else if (previous.sa_handler != SIG_DFL) {
            previous.sa_handler(signal);
        } else {
            ::unlink(inFlightPath);
            // Ended as the signal would have ended it: it is delivered once this handler returns.
            ::sigaction(signal, &previous, nullptr);
            ::raise(signal);
        }
    }
    errno = savedErrno;
}

class TemporaryInFlight {
  public:
    explicit TemporaryInFlight(const std::string& target) {
        const std::string pattern = target + ".XXXXXX";
        if (pattern.size() >= sizeof inFlightPath) return;
        std::memcpy(inFlightPath, pattern.c_str(), pattern.size() + 1);
        struct sigaction remove {};
        remove.sa_sigaction = &RemoveInFlight;
        remove.sa_flags = SA_SIGINFO | SA_RESTART;
        sigemptyset(&remove.sa_mask);
        for (size_t i = 0; i < std::size(kEndingSignals); ++i) {
            ::sigaction(kEndingSignals[i], nullptr, &before[i]);
            if (before[i].sa_handler == SIG_IGN) continue;
            installed_[i] = true;
            ::sigaction(kEndingSignals[i], &remove, nullptr);
        }
    }
    ~TemporaryInFlight() {
        for (size_t i = 0; i < std::size(kEndingSignals); ++i)
            if (installed_[i]) ::sigaction(kEndingSignals[i], &before[i], nullptr);
        inFlightPath[0] = '\0';
    }
    TemporaryInFlight(const TemporaryInFlight&) = delete;
    TemporaryInFlight& operator=(const TemporaryInFlight&) = delete;

    // Creates the file; mkstemp(3) writes its name where the handler reads it before the file
    // exists. -1 with errno set when it cannot.
    int Create() {
        if (!inFlightPath[0]) {
            errno = ENAMETOOLONG;
            return -1;
        }
        return ::mkstemp(inFlightPath);
    }
    const char* Name() const { return inFlightPath; }
    // Renamed or removed: nothing for a signal to remove any more.
    void Forget() { inFlightPath[0] = '\0'; }

  private:
    bool installed_[std::size(kEndingSignals)] = {};
};

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
    std::string error;
    const std::string target = SaveTarget(path, error);
    if (!error.empty()) return error;
    TemporaryInFlight temporary(target);
    const int fd = temporary.Create();
    if (fd < 0) return Reason("save", path, errno);
    const mode_t mode = ModeFor(target);
    bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, text) && ::fsync(fd) == 0;
    int failure = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        failure = errno;
    }
    if (ok && ::rename(temporary.Name(), target.c_str()) != 0) {
        ok = false;
        failure = errno;
    }
    if (!ok) ::unlink(temporary.Name());
    temporary.Forget();
    if (!ok) return Reason("save", path, failure);
    // The rename itself reaches the disk with the folder.
    if (const int folder = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY); folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return {};
}

}  // namespace qk
