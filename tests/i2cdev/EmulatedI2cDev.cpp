#include "tests/i2cdev/EmulatedI2cDev.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <linux/i2c-dev.h>
#include <linux/i2c.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <set>

namespace qk::test {
namespace {

constexpr unsigned long SmbusFunctions = I2C_FUNC_SMBUS_EMUL;
constexpr uint32_t MaxMessages = 42;  // I2C_RDWR_IOCTL_MAX_MSGS
constexpr uint16_t MaxSevenBitAddress = 0x7F;
constexpr int ClockPolls = 1000;  // how long the adapter lets a chip stretch the clock

struct Driver {
    std::mutex mutex;
    bool installed = false;
    PortIo* pins = nullptr;
    EmulatedI2cDev::Node node = EmulatedI2cDev::Node::Present;
    std::set<int> files;  // open descriptors
    int transfers = 0;
    int messages = 0;
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

// The adapter's master on the board's pins. Lines change only while SCL is low, but for START
// and STOP; every clock release waits for SCL to rise, at most ClockPolls reads.
class Wire {
  public:
    explicit Wire(PortIo& pins) : pins_(pins) {}

    bool TimedOut() const { return timedOut_; }

    void Start() {
        Drive(true, true);
        WaitScl();
        Drive(false, true);
        Drive(false, false);
    }
    void Stop() {
        Drive(false, false);
        Drive(false, true);
        WaitScl();
        Drive(true, true);
    }
    // Returns whether the chip acknowledged the byte.
    bool Write(uint8_t value) {
        for (int bit = 7; bit >= 0; --bit) Clock((value >> bit) & 1);
        return !Clock(true);
    }
    uint8_t Read(bool acknowledge) {
        uint8_t value = 0;
        for (int bit = 0; bit < 8; ++bit) value = static_cast<uint8_t>(value << 1 | Clock(true));
        Clock(!acknowledge);
        return value;
    }

  private:
    void Drive(bool sda, bool scl) {
        pins_.PortWrite(ControlPort, (sda ? ControlSda : 0) | (scl ? ControlScl : 0));
    }
    void WaitScl() {
        for (int poll = 0; poll < ClockPolls; ++poll)
            if (pins_.PortRead(StatusPort) & StatusScl) return;
        timedOut_ = true;
    }
    // One clock with SDA released or held low; returns SDA as sampled while SCL was high.
    bool Clock(bool sda) {
        Drive(sda, false);
        Drive(sda, true);
        WaitScl();
        const bool level = pins_.PortRead(StatusPort) & StatusSda;
        Drive(sda, false);
        return level;
    }

    PortIo& pins_;
    bool timedOut_ = false;
};

// One message after its START; 0 or the error the adapter driver returns.
int SendMessage(Wire& wire, const i2c_msg& message) {
    const bool read = message.flags & I2C_M_RD;
    if (!wire.Write(static_cast<uint8_t>(message.addr << 1 | (read ? 1 : 0)))) return ENXIO;
    for (int i = 0; i < message.len; ++i) {
        if (read)
            message.buf[i] = wire.Read(i < message.len - 1);
        else if (!wire.Write(message.buf[i]))
            return EREMOTEIO;
    }
    return 0;
}

int ReadWrite(Driver& d, const i2c_rdwr_ioctl_data& data) {
    if (data.nmsgs == 0 || data.nmsgs > MaxMessages) return Fail(EINVAL);
    ++d.transfers;
    d.messages += static_cast<int>(data.nmsgs);
    Wire wire(*d.pins);
    int error = 0;
    for (uint32_t i = 0; i < data.nmsgs && error == 0; ++i) {
        wire.Start();  // a repeated START from the second message on
        error = SendMessage(wire, data.msgs[i]);
    }
    wire.Stop();
    if (wire.TimedOut()) return Fail(ETIMEDOUT);
    if (error != 0) return Fail(error);
    return static_cast<int>(data.nmsgs);
}

int Answer(Driver& d, unsigned long request, void* arg) {
    const bool plainI2c = d.node != EmulatedI2cDev::Node::SmbusOnly;
    switch (request) {
        case I2C_FUNCS:
            *static_cast<unsigned long*>(arg) = SmbusFunctions | (plainI2c ? I2C_FUNC_I2C : 0);
            return 0;
        case I2C_SLAVE:
        case I2C_SLAVE_FORCE:
            return reinterpret_cast<uintptr_t>(arg) > MaxSevenBitAddress ? Fail(EINVAL) : 0;
        case I2C_RDWR:
            if (!plainI2c) return Fail(EOPNOTSUPP);
            if (d.node == EmulatedI2cDev::Node::Failing) return Fail(EIO);
            return ReadWrite(d, *static_cast<i2c_rdwr_ioctl_data*>(arg));
        default:
            return Fail(ENOTTY);
    }
}

}  // namespace

EmulatedI2cDev::EmulatedI2cDev(PortIo& pins, Node node) {
    Driver& d = TheDriver();
    std::lock_guard lock(d.mutex);
    d.installed = true;
    d.pins = &pins;
    d.node = node;
    d.files.clear();
    d.transfers = 0;
    d.messages = 0;
}

EmulatedI2cDev::~EmulatedI2cDev() {
    Driver& d = TheDriver();
    std::lock_guard lock(d.mutex);
    d.installed = false;
    d.pins = nullptr;
}

void EmulatedI2cDev::SetNode(Node node) {
    std::lock_guard lock(TheDriver().mutex);
    TheDriver().node = node;
}

int EmulatedI2cDev::Transfers() {
    std::lock_guard lock(TheDriver().mutex);
    return TheDriver().transfers;
}

int EmulatedI2cDev::Messages() {
    std::lock_guard lock(TheDriver().mutex);
    return TheDriver().messages;
}

}  // namespace qk::test

using qk::test::EmulatedI2cDev;
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
    if (std::strcmp(path, EmulatedI2cDev::Path) != 0) return next(path, flags, mode);
    std::lock_guard lock(d.mutex);
    if (!d.installed || d.node == EmulatedI2cDev::Node::Missing) return qk::test::Fail(ENOENT);
    if (d.node == EmulatedI2cDev::Node::Forbidden) return qk::test::Fail(EACCES);
    // A real descriptor, so that its number is unique and close() works on it.
    const int fd = next("/dev/null", O_RDWR | (flags & O_CLOEXEC));
    if (fd >= 0) d.files.insert(fd);
    return fd;
}

int close(int fd) {
    static const auto next = qk::test::Next<int (*)(int)>("close");
    {
        auto& d = TheDriver();
        std::lock_guard lock(d.mutex);
        d.files.erase(fd);
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
    if (!d.installed || !d.files.contains(fd)) {
        lock.unlock();
        return next(fd, request, arg);
    }
    return qk::test::Answer(d, request, arg);
}

}  // extern "C"
