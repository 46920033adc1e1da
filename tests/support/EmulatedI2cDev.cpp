#include "tests/support/EmulatedI2cDev.h"

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

#include "tests/support/DeviceFile.h"

namespace qk::test {
namespace {

constexpr unsigned long SmbusFunctions = I2C_FUNC_SMBUS_EMUL;
constexpr uint32_t MaxMessages = 42;  // I2C_RDWR_IOCTL_MAX_MSGS
constexpr uint16_t MaxSevenBitAddress = 0x7F;
constexpr int ClockPolls = 1000;  // how long the adapter lets a chip stretch the clock

struct Driver {
    std::mutex mutex;
    PortIo* pins = nullptr;
    EmulatedI2cDev::Node node = EmulatedI2cDev::Node::Present;
    int transfers = 0;
    int messages = 0;
};

Driver& TheDriver() {
    static Driver driver;
    return driver;
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
    if (data.nmsgs == 0 || data.nmsgs > MaxMessages) return FailWith(EINVAL);
    ++d.transfers;
    d.messages += static_cast<int>(data.nmsgs);
    Wire wire(*d.pins);
    int error = 0;
    for (uint32_t i = 0; i < data.nmsgs && error == 0; ++i) {
        wire.Start();  // a repeated START from the second message on
        error = SendMessage(wire, data.msgs[i]);
    }
    wire.Stop();
    if (wire.TimedOut()) return FailWith(ETIMEDOUT);
    if (error != 0) return FailWith(error);
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
            return reinterpret_cast<uintptr_t>(arg) > MaxSevenBitAddress ? FailWith(EINVAL) : 0;
        case I2C_RDWR:
            if (!plainI2c) return FailWith(EOPNOTSUPP);
            if (d.node == EmulatedI2cDev::Node::Failing) return FailWith(EIO);
            return ReadWrite(d, *static_cast<i2c_rdwr_ioctl_data*>(arg));
        default:
            return FailWith(ENOTTY);
    }
}

}  // namespace

EmulatedI2cDev::EmulatedI2cDev(PortIo& pins, Node node) {
    {
        Driver& d = TheDriver();
        std::lock_guard lock(d.mutex);
        d.pins = &pins;
        d.node = node;
        d.transfers = 0;
        d.messages = 0;
    }
    InstallDeviceFile({
        .path = Path,
        .openError =
            [] {
                std::lock_guard lock(TheDriver().mutex);
                const Node n = TheDriver().node;
                return n == Node::Missing ? ENOENT : n == Node::Forbidden ? EACCES : 0;
            },
        .opened = {},
        .closed = {},
        .ioctl =
            [](int, unsigned long request, void* arg) {
                Driver& d = TheDriver();
                std::lock_guard lock(d.mutex);
                return Answer(d, request, arg);
            },
    });
}

EmulatedI2cDev::~EmulatedI2cDev() {
    RemoveDeviceFile();
    Driver& d = TheDriver();
    std::lock_guard lock(d.mutex);
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
