#include "cli/DescriptorOutput.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace qk::cli {

DescriptorOutput::DescriptorOutput(int descriptor) : descriptor_(descriptor) {
    setp(buffer_, buffer_ + sizeof buffer_);
}

DescriptorOutput::~DescriptorOutput() {
    Drain();
}

std::string DescriptorOutput::Reason() const {
    return error_ ? std::strerror(error_) : "";
}

bool DescriptorOutput::Drain() {
    const char* next = pbase();
    while (!error_ && next < pptr()) {
        const ssize_t written = ::write(descriptor_, next, static_cast<size_t>(pptr() - next));
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            error_ = written < 0 ? errno : EIO;
            break;
        }
        next += written;
    }
    setp(buffer_, buffer_ + sizeof buffer_);
    return !error_;
}

DescriptorOutput::int_type DescriptorOutput::overflow(int_type character) {
    if (!Drain()) return traits_type::eof();
    if (traits_type::eq_int_type(character, traits_type::eof())) return traits_type::not_eof(0);
    *pptr() = traits_type::to_char_type(character);
    pbump(1);
    return character;
}

int DescriptorOutput::sync() {
    return Drain() ? 0 : -1;
}

}  // namespace qk::cli
