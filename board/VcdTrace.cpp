#include "board/VcdTrace.h"

#include <cerrno>
#include <cstring>

namespace qk::board {

namespace {
// The identifier characters of the two signals in the dump.
constexpr char SclId = '!';
constexpr char SdaId = '"';
}  // namespace

bool VcdTrace::Open(const std::string& path, bool scl, bool sda) {
    Close();
    path_ = path;
    errno = 0;
    out_.open(path, std::ios::out | std::ios::trunc);
    if (!out_.is_open()) {
        error_ = "cannot write the trace '" + path +
                 "': " + (errno ? std::strerror(errno) : "the file cannot be created");
        return false;
    }
    error_.clear();
    scl_ = scl;
    sda_ = sda;
    out_ << "$version qk3xx-virtual $end\n"
         << "$timescale " << kTick.count() << " ns $end\n"
         << "$scope module board $end\n"
         << "$var wire 1 " << SclId << " SCL $end\n"
         << "$var wire 1 " << SdaId << " SDA $end\n"
         << "$upscope $end\n"
         << "$enddefinitions $end\n"
         << "#0\n$dumpvars\n"
         << (scl ? '1' : '0') << SclId << '\n'
         << (sda ? '1' : '0') << SdaId << "\n$end\n";
    out_.flush();
    start_ = Clock::now();
    lastTick_ = 0;
    Check();
    return IsOpen();
}

void VcdTrace::OnLines(bool scl, bool sda) {
    if (!out_.is_open()) return;
    const int64_t now = (Clock::now() - start_) / kTick;
    lastTick_ = now > lastTick_ ? now : lastTick_ + 1;
    out_ << '#' << lastTick_ << '\n';
    if (scl != scl_) out_ << (scl ? '1' : '0') << SclId << '\n';
    if (sda != sda_) out_ << (sda ? '1' : '0') << SdaId << '\n';
    const bool stop = scl && scl_ && sda && !sda_;
    scl_ = scl;
    sda_ = sda;
    if (stop) {
        out_.flush();
        Check();
    }
}

void VcdTrace::Close() {
    if (!out_.is_open()) return;
    out_ << '#' << lastTick_ + 1 << '\n';
    out_.flush();
    Check();
    if (out_.is_open()) out_.close();
}

// A failed write ends the trace; what was flushed before stays in the file.
void VcdTrace::Check() {
    if (out_.good()) return;
    error_ = "the trace '" + path_ + "' could not be written further; tracing stopped";
    out_.close();
    if (onWriteError) onWriteError(error_);
}

}  // namespace qk::board
