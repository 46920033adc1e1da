#include "core/bus/I2cDevBus.h"

#include <fcntl.h>
#include <linux/i2c-dev.h>
#include <linux/i2c.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace qk {

namespace {

std::string Remedy(int error, const std::string& device) {
    switch (error) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return "Load the I2C device driver (modprobe i2c-dev, as root), plug in the adapter "
                   "and "
                   "check its number with qk3xx --list-adapters.";
        case EACCES:
        case EPERM:
            return "Add yourself to the group that owns " + device +
                   " (usually i2c: usermod -aG i2c $USER, then log in again).";
        default:
            return "Check that " + device + " is an I2C adapter of the i2c-dev driver.";
    }
}

}  // namespace

I2cDevBus::I2cDevBus(std::string device, FrameLogSink& log)
    : AdapterBus(log), device_(std::move(device)) {}

I2cDevBus::~I2cDevBus() {
    if (fd_ >= 0) close(fd_);
}

bool I2cDevBus::Setup() {
    if (fd_ >= 0) return true;
    const int fd = open(device_.c_str(), O_RDWR);
    if (fd < 0) {
        const int error = errno;
        error_ = "The I2C adapter " + device_ + " could not be opened: " + std::strerror(error) +
                 ". " + Remedy(error, device_);
        return false;
    }
    unsigned long functions = 0;
    if (ioctl(fd, I2C_FUNCS, &functions) != 0) {
        const int error = errno;
        error_ = "The I2C adapter " + device_ +
                 " does not tell what it can do: " + std::strerror(error) + ". " +
                 Remedy(error, device_);
        close(fd);
        return false;
    }
    // SMBus-only adapters cannot send a frame of any length, nor a bare read.
    if (!(functions & I2C_FUNC_I2C)) {
        error_ = "The I2C adapter " + device_ +
                 " offers SMBus commands only. This program needs plain I2C transfers "
                 "(I2C_FUNC_I2C): use an adapter that carries them.";
        close(fd);
        return false;
    }
    fd_ = fd;
    error_.clear();
    return true;
}

void I2cDevBus::SendWriteFrame(const uint8_t* frame, int count) {
    std::vector<uint8_t> bytes(frame + 1, frame + count);
    Transfer(frame[0] & 0xFE, bytes.data(), static_cast<int>(bytes.size()));
}

void I2cDevBus::ReceiveReadFrame(uint8_t address, uint8_t* buffer, int count) {
    Transfer(address, buffer, count);
}

// One message from `address` (8-bit, bit 0 set for a read) in one transfer: START ... STOP.
void I2cDevBus::Transfer(uint8_t address, uint8_t* bytes, int count) {
    if (fd_ < 0) {
        ReportAckError();  // no adapter: nothing acknowledges
        return;
    }
    // A timed-out bus costs one adapter time-out, not one per frame, until I2cResetErrors.
    if (WaitError()) return;
    i2c_msg message{.addr = static_cast<__u16>(address >> 1),
                    .flags = static_cast<__u16>((address & 0x01) ? I2C_M_RD : 0),
                    .len = static_cast<__u16>(count),
                    .buf = bytes};
    i2c_rdwr_ioctl_data transfer{.msgs = &message, .nmsgs = 1};
    if (ioctl(fd_, I2C_RDWR, &transfer) < 0) ReportFailure(errno);
}

void I2cDevBus::ReportFailure(int error) {
    switch (error) {
        case ENXIO:  // the address was not acknowledged
            ReportAckError(0);
            break;
        case EREMOTEIO:  // a data byte was not acknowledged, which one the adapter does not say
            ReportAckError();
            break;
        case ETIMEDOUT:  // the clock was held low
        case EAGAIN:     // the bus never became free
            ReportWaitError();
            break;
        default:
            ReportOtherError(device_ + ": " + std::strerror(error));
            break;
    }
}

}  // namespace qk
