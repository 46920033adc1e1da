#pragma once
#include <cstdint>
#include <string>

#include "core/bus/Port.h"

namespace qk::test {

// One FTDI bridge that EmulatedFtdi plugs in (tests/support/EmulatedFtdi.h): what its USB
// descriptors say, who may open it, and the board wired to it.
struct EmulatedFtdiDevice {
    uint16_t vendor = 0x0403, product = 0x6014;
    // The chip: FT232H 0x0900, FT2232H 0x0700, FT4232H 0x0800, FT2232D 0x0500.
    uint16_t bcdDevice = 0x0900;
    std::string manufacturer = "FTDI", description = "Single RS232-HS", serial = "FT1QK3XX";
    uint8_t bus = 1, address = 5;
    enum class Access {
        Open,
        Forbidden,           // the user may not open the device (udev rules missing)
        HeldBySerialDriver,  // the kernel's serial driver holds it and will not let go
    } access = Access::Open;
    PortIo* pins = nullptr;  // the board wired to `wiredInterface` (null: nothing wired)
    int wiredInterface = 0;  // 0 = A .. 3 = D
};

}  // namespace qk::test
