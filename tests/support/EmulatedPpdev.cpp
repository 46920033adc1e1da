#include "tests/support/EmulatedPpdev.h"

#include <fcntl.h>
#include <linux/ppdev.h>
#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <cstdint>
#include <map>
#include <mutex>
#include <set>

#include "tests/support/DeviceFile.h"

namespace qk::test {
namespace {

constexpr uint8_t ControlBitsKept = 0x0F;

struct OpenFile {
    bool claimed = false;
};

struct Driver {
    std::mutex mutex;
    std::condition_variable sleepersChanged;
    std::set<int> sleepers;  // an eventfd for each claim asleep, signalled when the port is free
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

// One claim's attempt to take the port: 0 when taken, an errno that ends the claim, or -1 while
// another file holds it.
int TryClaim(Driver& d, int fd) {
    auto file = d.files.find(fd);
    if (file == d.files.end()) return EBADF;
    if (file->second.claimed) return EINVAL;
    if (d.node == EmulatedPpdev::Node::NoPort) return ENXIO;
    if (d.claimant >= 0) return -1;
    file->second.claimed = true;
    d.claimant = fd;
    return 0;
}

// Sleeps until the port is free, interruptibly. Signals are held back while the port is looked at
// and let in only by the sleep itself, so that one caught in between still ends the sleep, as a
// pending signal does in the kernel.
int Claim(Driver& d, int fd) {
    sigset_t all, caller;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &caller);
    int error = -1;
    while (error < 0) {
        const int wakeup = eventfd(0, EFD_CLOEXEC);
        {
            const std::lock_guard lock(d.mutex);
            error = TryClaim(d, fd);
            if (error < 0) d.sleepers.insert(wakeup);
        }
        if (error < 0) {
            d.sleepersChanged.notify_all();
            pollfd freed{.fd = wakeup, .events = POLLIN, .revents = 0};
            if (ppoll(&freed, 1, nullptr, &caller) < 0) error = EINTR;
            const std::lock_guard lock(d.mutex);
            d.sleepers.erase(wakeup);
        }
        close(wakeup);
    }
    pthread_sigmask(SIG_SETMASK, &caller, nullptr);
    return error == 0 ? 0 : FailWith(error);
}

void Release(Driver& d, int fd, OpenFile& file) {
    file.claimed = false;
    if (d.claimant != fd) return;
    d.claimant = -1;
    for (const int sleeper : d.sleepers) {
        const uint64_t one = 1;
        (void)!write(sleeper, &one, sizeof one);
    }
}

int Answer(Driver& d, int fd, OpenFile& file, uint32_t command, unsigned char* arg) {
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
                const auto command = static_cast<uint32_t>(request);
                if (command == static_cast<uint32_t>(PPCLAIM)) return Claim(d, fd);
                std::lock_guard lock(d.mutex);
                auto file = d.files.find(fd);
                if (file == d.files.end()) return FailWith(EBADF);
                return Answer(d, fd, file->second, command, static_cast<unsigned char*>(arg));
            },
    });
}

EmulatedPpdev::~EmulatedPpdev() {
    RemoveDeviceFile();
    Driver& d = TheDriver();
    std::lock_guard lock(d.mutex);
    d.pins = nullptr;
}

bool EmulatedPpdev::AwaitSleepingClaim(std::chrono::seconds patience) {
    Driver& d = TheDriver();
    std::unique_lock lock(d.mutex);
    return d.sleepersChanged.wait_for(lock, patience, [&d] { return !d.sleepers.empty(); });
}

long EmulatedPpdev::StatusReads() {
    Driver& d = TheDriver();
    std::lock_guard lock(d.mutex);
    return d.statusReads;
}

}  // namespace qk::test
