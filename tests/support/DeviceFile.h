#pragma once
#include <functional>

namespace qk::test {

// A character device emulated inside a test process. A test executable that links
// tests/support/DeviceFile.cpp defines open(), close() and ioctl() itself: calls on the installed
// device's path and on the descriptors opened there are answered by the device; every other path
// and descriptor goes on to the C library untouched. The open() and close() callbacks run one at a
// time; ioctl() runs on the caller's thread with no lock held, since a request may sleep, so the
// device guards its own state.
struct DeviceFile {
    const char* path = nullptr;
    std::function<int()> openError;      // the errno refusing an open, or 0 to open
    std::function<void(int fd)> opened;  // a descriptor was opened on the device
    std::function<void(int fd)> closed;  // ... and closed again
    // The answer to one request on an open descriptor: the result, or -1 with errno set.
    std::function<int(int fd, unsigned long request, void* arg)> ioctl;
};

// Installs the device until RemoveDeviceFile. One device at a time.
void InstallDeviceFile(DeviceFile device);
void RemoveDeviceFile();

// Sets errno and gives -1, as a failing system call does.
int FailWith(int error);

}  // namespace qk::test
