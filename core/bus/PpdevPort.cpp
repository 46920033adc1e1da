#include "core/bus/PpdevPort.h"

#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/bus/DeadlineCall.h"

namespace qk {

namespace {

std::string Remedy(int error, const std::string& device) {
    switch (error) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return "Load the parallel-port driver (modprobe ppdev, as root) and check that the PC "
                   "has a parallel port at " +
                   device + ".";
        case EACCES:
        case EPERM:
            return "Add yourself to the group that owns " + device +
                   " (usually lp: usermod -aG lp $USER, then log in again).";
        case EBUSY:
            return "Another program holds the port; close it and restart this program.";
        default:
            return "Check that " + device + " is a parallel-port device of the ppdev driver.";
    }
}

}  // namespace

PpdevPort::PpdevPort(std::string device, std::chrono::milliseconds claimDeadline)
    : device_(std::move(device)), claimDeadline_(claimDeadline) {}

PpdevPort::~PpdevPort() {
    if (fd_ >= 0) {
        ioctl(fd_, PPRELEASE);
        close(fd_);
    }
}

bool PpdevPort::Setup() {
    if (fd_ >= 0) return true;
    const int fd = open(device_.c_str(), O_RDWR);
    if (fd < 0) {
        const int error = errno;
        error_ = "The parallel port " + device_ + " could not be opened: " + std::strerror(error) +
                 ". " + Remedy(error, device_);
        return false;
    }
    const DeadlineOutcome claim =
        CallWithDeadline([fd] { return ioctl(fd, PPCLAIM); }, claimDeadline_);
    if (claim.result != 0) {
        // Still asleep at the deadline: another program holds the port.
        const int error = claim.timedOut ? EBUSY : claim.error;
        error_ = "The parallel port " + device_ + " could not be claimed: " + std::strerror(error) +
                 ". " + Remedy(error, device_);
        close(fd);
        return false;
    }
    fd_ = fd;
    error_.clear();
    return true;
}

uint8_t PpdevPort::PortRead(int port) {
    // Read requests have bit 31 set: they are kept as the unsigned values the driver expects.
    unsigned long request = 0;
    switch (port) {
        case StatusPort:
            request = PPRSTATUS;
            break;
        case ControlPort:
            request = PPRCONTROL;
            break;
        case DataPort:
            request = PPRDATA;
            break;
        default:
            return NothingAttached;
    }
    unsigned char value = NothingAttached;
    if (fd_ < 0 || ioctl(fd_, request, &value) != 0) return NothingAttached;
    return value;
}

void PpdevPort::PortWrite(int port, uint8_t value) {
    if (fd_ < 0) return;
    unsigned char byte = value;
    // The control register is always written whole, never read-modify-written.
    if (port == ControlPort) ioctl(fd_, PPWCONTROL, &byte);
    if (port == DataPort) ioctl(fd_, PPWDATA, &byte);
}

}  // namespace qk
