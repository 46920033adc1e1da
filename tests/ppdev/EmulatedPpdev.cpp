#include "tests/ppdev/EmulatedPpdev.h"

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

#include "tests/support/DeviceFile.h"

namespace qk::test {
namespace {

constexpr uint8_t ControlBitsKept = 0x0F;

struct OpenFile {
    bool claimed = false;
};

struct Driver {
    std::mutex mutex;
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

int Claim(Driver& d, int fd, OpenFile& file) {
    if (file.claimed) return FailWith(EINVAL);
    if (d.node == EmulatedPpdev::Node::NoPort) return FailWith(ENXIO);
    if (d.claimant >= 0) return FailWith(EBUSY);
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
    if (!file.claimed) return FailWith(EINVAL);  // "claim the port first"
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
        return FailWith(EINVAL);
    }
    return 0;
}

}  // namespace

EmulatedPpdev::EmulatedPpdev(PortIo& pins, Node node) {
    {
        Driver& d = TheDriver();
        std::lock_guard lock(d.mutex);
        d.pins = &pins;
        d.node = node;
        d.files.clear();
        d.claimant = -1;
        d.control = 0;
        d.statusReads = 0;
    }
    InstallDeviceFile({
        .path = Path,
        .openError =
            [] {
                std::lock_guard lock(TheDriver().mutex);
                const Node n = TheDriver().node;
                return n == Node::Missing ? ENOENT : n == Node::Forbidden ? EACCES : 0;
            },
        // pp_open: the file is opened; the port itself is only looked for at the claim.
        .opened =
            [](int fd) {
                std::lock_guard lock(TheDriver().mutex);
                TheDriver().files[fd] = OpenFile{};
            },
        .closed =
            [](int fd) {
                Driver& d = TheDriver();
                std::lock_guard lock(d.mutex);
                auto file = d.files.find(fd);
                if (file == d.files.end()) return;
                Release(d, fd, file->second);
                d.files.erase(file);
            },
        .ioctl =
            [](int fd, unsigned long request, void* arg) {
                Driver& d = TheDriver();
                std::lock_guard lock(d.mutex);
                auto file = d.files.find(fd);
                if (file == d.files.end()) return FailWith(EBADF);
                return Answer(d, fd, file->second, static_cast<uint32_t>(request),
                              static_cast<unsigned char*>(arg));
            },
    });
}

EmulatedPpdev::~EmulatedPpdev() {
    RemoveDeviceFile();
    Driver& d = TheDriver();
    std::lock_guard lock(d.mutex);
    d.pins = nullptr;
}

long EmulatedPpdev::StatusReads() {
    Driver& d = TheDriver();
    std::lock_guard lock(d.mutex);
    return d.statusReads;
}

}  // namespace qk::test
