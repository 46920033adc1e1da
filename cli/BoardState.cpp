#include "cli/BoardState.h"

#include <cctype>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <sstream>

#include "cli/Numbers.h"
#include "cli/TextFile.h"
#include "core/snapshot/SnapshotFile.h"

namespace qk::cli {

namespace {

// The byte two hex digits write, or -1.
int TwoHexDigits(const std::string& text) {
    if (text.size() != 2 || !std::isxdigit(static_cast<unsigned char>(text[0])) ||
        !std::isxdigit(static_cast<unsigned char>(text[1])))
        return -1;
    return static_cast<int>(std::stoul(text, nullptr, 16));
}

}  // namespace

namespace {

constexpr const char kFamilyLine[] = "# family: ";

// A board's register layout: the QK330's, or the first generation's (every other chip).
const char* FamilyOf(board::Chip chip) {
    return chip == board::Chip::QK330 ? "QK330" : "QK310";
}

bool SameInode(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

BoardStateFile::BoardStateFile(std::string path) : path_(std::move(path)) {}

BoardStateFile::~BoardStateFile() {
    if (descriptor_ < 0) return;
    // A file made only to be locked goes again: the run changed no register.
    if (created_ && !saved_) ::unlink(path_.c_str());
    ::close(descriptor_);
}

// Another run saves by renaming a new file over the old one: a lock taken on the old file while
// it waited is no lock on the file, so it is taken again until the locked file is the file.
std::string BoardStateFile::Lock() {
    const auto reason = [this](int error) { return path_ + ": " + std::strerror(error); };
    for (;;) {
        created_ = false;
        int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0 && errno == ENOENT) {
            fd = ::open(path_.c_str(), O_RDONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd < 0 && errno == EEXIST) continue;
            created_ = fd >= 0;
        }
        if (fd < 0) return reason(errno);
        struct stat locked {};
        if (::fstat(fd, &locked) != 0 || !S_ISREG(locked.st_mode)) {
            ::close(fd);
            return path_ + ": not a regular file";
        }
        while (::flock(fd, LOCK_EX) != 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(fd);
            return reason(error);
        }
        struct stat now {};
        if (::stat(path_.c_str(), &now) == 0 && SameInode(now, locked)) {
            descriptor_ = fd;
            return {};
        }
        ::close(fd);
    }
}

std::string BoardStateFile::Load(board::Chip chip, board::VirtualBoard& board) {
    family_ = FamilyOf(chip);
    if (const std::string error = Lock(); !error.empty()) return error;
    loaded_ = board.ListRegisters();
    const TextFile file = ReadTextFile(path_);
    if (!file.error.empty()) return file.error;
    board::VirtualBoard loaded = board;
    for (size_t index = 0; index < file.lines.size(); ++index) {
        const std::string& line = file.lines[index];
        if (line.starts_with(kFamilyLine)) {
            const std::string family = line.substr(sizeof kFamilyLine - 1);
            if (family != family_)
                return LineError(
                    path_, index + 1, line,
                    "the registers of a " + family + " board, not of a " + family_ + " board");
            continue;
        }
        const std::string content = line.substr(0, line.find('#'));
        std::istringstream words(content);
        std::string address, value, rest;
        if (!(words >> address)) continue;
        words >> value >> rest;
        // The file's own format: two hex digits each, without prefix.
        const int sub = address.ends_with(':') ? TwoHexDigits(address.substr(0, 2)) : -1;
        const int byte = TwoHexDigits(value);
        if (address.size() != 3 || sub < 0 || byte < 0 || !rest.empty())
            return LineError(path_, index + 1, line, "not a register line \"hh: hh\"");
        if (!loaded.HasRegister(static_cast<uint8_t>(sub)))
            return LineError(path_, index + 1, line, "the board's chip has no such register");
        loaded.SetRegister(static_cast<uint8_t>(sub), static_cast<uint8_t>(byte));
    }
    board = loaded;
    loaded_ = board.ListRegisters();
    return {};
}

std::string BoardStateFile::Save(const board::VirtualBoard& board) {
    const auto registers = board.ListRegisters();
    if (descriptor_ < 0 || registers == loaded_) return {};
    std::string text = std::string("# qk3xx-cli virtual board\n") + kFamilyLine + family_ + "\n";
    for (const auto& [sub, value] : registers)
        text += HexDigits(sub) + ": " + HexDigits(value) + "\n";
    if (std::string error = SaveTextFile(path_, text); !error.empty()) return error;
    saved_ = true;
    loaded_ = registers;
    return {};
}

}  // namespace qk::cli
