#include "tests/ppdev/EmulatedPpdev.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdint>
#include <cstring>
#include <map>
#include <mutex>

namespace qk::test {
namespace {

constexpr uint8_t ControlBitsKept = 0x0F;

struct OpenFile {
    bool claimed = false;
};

struct Driver {
    std::mutex mutex;
    bool installed = false;
    PortIo* pins = nullptr;
    EmulatedPpdev::Node node = EmulatedPpdev::Node::Present;
    std::map<int, OpenFile> files;  // by descriptor
    int claimant = -1;              // the descriptor that holds the port
    uint8_t control = 0;
    long statusReads = 0;
};

Driver& TheDriver() {
    static Driver driver;
    return driver;
}

template <typename F>
F Next(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

int Fail(int error) {
    errno = error;
    return -1;
}

// pp_open: the device file is opened; the port itself is only looked for at the claim.
int OpenDevice(Driver& d, int realFd) {
    d.files[realFd] = OpenFile{};
    return realFd;
}

int Claim(Driver& d, int fd, OpenFile& file) {
    if (file.claimed) return Fail(EINVAL);
    if (d.node == EmulatedPpdev::Node::NoPort) return Fail(ENXIO);
    if (d.claimant >= 0) return Fail(EBUSY);
    file.claimed = true;
    d.claimant = fd;
    return 0;
}

void Release(Driver& d, int fd, OpenFile& file) {
    file.claimed = false;
    if (d.claimant == fd) d.claimant = -1;
}

int Answer(Driver& d, int fd, OpenFile& file, uint32_t command, unsigned char* arg) {
    if (command == static_cast<uint32_t>(PPCLAIM)) return Claim(d, fd, file);
    if (!file.claimed) return Fail(EINVAL);  // "claim the port first"
    if (command == static_cast<uint32_t>(PPRELEASE)) {
        Release(d, fd, file);
        return 0;
    }
    if (command == static_cast<uint32_t>(PPWCONTROL)) {
        d.control = *arg & ControlBitsKept;
        d.pins->PortWrite(ControlPort, d.control);
    } else if (command == static_cast<uint32_t>(PPRCONTROL)) {
        *arg = d.control;
    } else if (command == static_cast<uint32_t>(PPRSTATUS)) {
        *arg = d.pins->PortRead(StatusPort);
        ++d.statusReads;
    } else if (command == static_cast<uint32_t>(PPWDATA)) {
        d.pins->PortWrite(DataPort, *arg);
    } else if (command == static_cast<uint32_t>(PPRDATA)) {
        *arg = d.pins->PortRead(DataPort);
    } else {
        return Fail(EINVAL);
    }
    return 0;
}

}  // namespace

EmulatedPpdev::EmulatedPpdev(PortIo& pins, Node node) {
    Driver& d = TheDriver();
    std::lock_guard lock(d.mutex);
    d.installed = true;
    d.pins = &pins;
    d.node = node;
    d.files.clear();
    d.claimant = -1;
    d.control = 0;
    d.statusReads = 0;
}

EmulatedPpdev::~EmulatedPpdev() {
    Driver& d = TheDriver();
    std::lock_guard lock(d.mutex);
    d.installed = false;
    d.pins = nullptr;
}

long EmulatedPpdev::StatusReads() {
    Driver& d = TheDriver();
    std::lock_guard lock(d.mutex);
    return d.statusReads;
}

}  // namespace qk::test

using qk::test::EmulatedPpdev;
using qk::test::TheDriver;

// The system calls the program makes, intercepted for the emulated device only.
extern "C" {

int open(const char* path, int flags, ...) {
    static const auto next = qk::test::Next<int (*)(const char*, int, ...)>("open");
    mode_t mode = 0;
    if ((flags & O_CREAT) || (flags & O_TMPFILE) == O_TMPFILE) {
        va_list args;
        va_start(args, flags);
        mode = va_arg(args, mode_t);
        va_end(args);
    }
    auto& d = TheDriver();
    if (std::strcmp(path, EmulatedPpdev::Path) != 0) return next(path, flags, mode);
    std::lock_guard lock(d.mutex);
    if (!d.installed || d.node == EmulatedPpdev::Node::Missing) return qk::test::Fail(ENOENT);
    if (d.node == EmulatedPpdev::Node::Forbidden) return qk::test::Fail(EACCES);
    // A real descriptor, so that its number is unique and close() works on it.
    const int fd = next("/dev/null", O_RDWR | (flags & O_CLOEXEC));
    if (fd < 0) return fd;
    return qk::test::OpenDevice(d, fd);
}

int close(int fd) {
    static const auto next = qk::test::Next<int (*)(int)>("close");
    auto& d = TheDriver();
    {
        std::lock_guard lock(d.mutex);
        auto file = d.files.find(fd);
        if (file != d.files.end()) {
            qk::test::Release(d, fd, file->second);
            d.files.erase(file);
        }
    }
    return next(fd);
}

int ioctl(int fd, unsigned long request, ...) noexcept {
    static const auto next = qk::test::Next<int (*)(int, unsigned long, ...)>("ioctl");
    va_list args;
    va_start(args, request);
    void* arg = va_arg(args, void*);
    va_end(args);
    auto& d = TheDriver();
    std::unique_lock lock(d.mutex);
    auto file = d.files.find(fd);
    if (file == d.files.end() || !d.installed) {
        lock.unlock();
        return next(fd, request, arg);
    }
    return qk::test::Answer(d, fd, file->second, static_cast<uint32_t>(request),
                            static_cast<unsigned char*>(arg));
}

}  // extern "C"
