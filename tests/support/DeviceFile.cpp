#include "tests/support/DeviceFile.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <memory>
#include <mutex>
#include <set>

namespace qk::test {
namespace {

struct Interposer {
    std::mutex mutex;
    // Shared with the requests in progress, which run without the lock: a request may sleep.
    std::shared_ptr<const DeviceFile> device;
    std::set<int> descriptors;  // open on the device
};

Interposer& TheInterposer() {
    static Interposer interposer;
    return interposer;
}

// The C library's own function of that name.
template <typename F>
F Next(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

}  // namespace

void InstallDeviceFile(DeviceFile device) {
    Interposer& i = TheInterposer();
    std::lock_guard lock(i.mutex);
    i.device = std::make_shared<const DeviceFile>(std::move(device));
    i.descriptors.clear();
}

void RemoveDeviceFile() {
    Interposer& i = TheInterposer();
    std::lock_guard lock(i.mutex);
    i.device.reset();
}

int FailWith(int error) {
    errno = error;
    return -1;
}

}  // namespace qk::test

using qk::test::TheInterposer;

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
    auto& i = TheInterposer();
    std::unique_lock lock(i.mutex);
    if (!i.device || std::strcmp(path, i.device->path) != 0) {
        lock.unlock();
        return next(path, flags, mode);
    }
    if (const int error = i.device->openError ? i.device->openError() : 0)
        return qk::test::FailWith(error);
    // A real descriptor, so that its number is unique and close() works on it.
    const int fd = ::memfd_create("emulated-device", (flags & O_CLOEXEC) ? MFD_CLOEXEC : 0u);
    if (fd < 0) return fd;
    i.descriptors.insert(fd);
    if (i.device->opened) i.device->opened(fd);
    return fd;
}

int close(int fd) {
    static const auto next = qk::test::Next<int (*)(int)>("close");
    {
        auto& i = TheInterposer();
        std::lock_guard lock(i.mutex);
        if (i.descriptors.erase(fd) && i.device && i.device->closed) i.device->closed(fd);
    }
    return next(fd);
}

int ioctl(int fd, unsigned long request, ...) noexcept {
    static const auto next = qk::test::Next<int (*)(int, unsigned long, ...)>("ioctl");
    va_list args;
    va_start(args, request);
    void* arg = va_arg(args, void*);
    va_end(args);
    std::shared_ptr<const qk::test::DeviceFile> device;
    {
        auto& i = TheInterposer();
        const std::lock_guard lock(i.mutex);
        if (i.device && i.device->ioctl && i.descriptors.contains(fd)) device = i.device;
    }
    if (!device) return next(fd, request, arg);
    return device->ioctl(fd, request, arg);
}

}  // extern "C"
