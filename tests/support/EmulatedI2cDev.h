#pragma once
#include "core/bus/Port.h"

namespace qk::test {

// A Linux I2C adapter as the i2c-dev module shows it (/dev/i2c-N), emulated inside this test
// process: the test executable defines open(), close() and ioctl() itself and answers the
// emulated device's path; every other path and descriptor goes on to the C library untouched.
// The adapter is a hardware I2C master on `pins` (the virtual board): each I2C_RDWR transfer is
// START, the messages joined by repeated STARTs, STOP.
//
// The kernel's rules as modelled:
// - I2C_FUNCS gives I2C_FUNC_I2C (plus the emulated SMBus set), or the SMBus set alone;
// - I2C_SLAVE takes a 7-bit address (EINVAL above 0x7F);
// - I2C_RDWR takes 1..42 messages (EINVAL otherwise) and returns their number; an address that is
//   not acknowledged gives ENXIO, a data byte that is not acknowledged EREMOTEIO, and a clock that
//   stays low ETIMEDOUT.
class EmulatedI2cDev {
  public:
    static constexpr const char* Path = "/dev/i2c-7";

    enum class Node {
        Present,    // an adapter with `pins` behind it
        Missing,    // no device file (i2c-dev not loaded): open() gives ENOENT
        Forbidden,  // the user is not in the device's group: EACCES
        SmbusOnly,  // an adapter without plain I2C transfers
        Failing,    // every transfer fails with EIO
    };

    // Installs the device until this object dies. Only one may exist at a time.
    explicit EmulatedI2cDev(PortIo& pins, Node node = Node::Present);
    ~EmulatedI2cDev();
    EmulatedI2cDev(const EmulatedI2cDev&) = delete;
    EmulatedI2cDev& operator=(const EmulatedI2cDev&) = delete;

    // Changes what the installed adapter is from now on; open files stay open.
    static void SetNode(Node node);
    // I2C_RDWR transfers answered since installation, and the messages they held.
    static int Transfers();
    static int Messages();
};

}  // namespace qk::test
