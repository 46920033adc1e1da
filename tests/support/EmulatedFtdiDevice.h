#pragma once
#include <cstdint>
#include <string>
#include <vector>

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

// The bridges a test plugs in: one, with the board behind channel A, or none, or two (both with
// the board: neither is opened without a selector), or one that cannot be had.
enum class FtdiNode { FT232H, FT2232H, FT4232H, None, Two, Forbidden, HeldBySerialDriver };

inline std::vector<EmulatedFtdiDevice> FtdiDevices(FtdiNode node, PortIo& board) {
    using Device = EmulatedFtdiDevice;
    const Device ft232h{.pins = &board};
    const Device ft2232h{.product = 0x6010,
                         .bcdDevice = 0x0700,
                         .description = "Dual RS232-HS",
                         .serial = "FT2QK3XX",
                         .address = 6,
                         .pins = &board};
    switch (node) {
        case FtdiNode::FT232H:
            return {ft232h};
        case FtdiNode::FT2232H:
            return {ft2232h};
        case FtdiNode::FT4232H:
            return {{.product = 0x6011, .bcdDevice = 0x0800, .pins = &board}};
        case FtdiNode::None:
            return {};
        case FtdiNode::Two:
            return {ft232h, ft2232h};
        case FtdiNode::Forbidden:
            return {{.access = Device::Access::Forbidden, .pins = &board}};
        case FtdiNode::HeldBySerialDriver:
            return {{.access = Device::Access::HeldBySerialDriver, .pins = &board}};
    }
    return {};
}

}  // namespace qk::test
