#pragma once
#include <optional>
#include <string>
#include <variant>

#include "board/VirtualBoard.h"
#include "core/bus/PpdevPort.h"
#include "tests/support/EmulatedI2cDev.h"
#include "tests/support/EmulatedPpdev.h"

namespace qk::test {

// The two kernel drivers through which the program reaches the board: the parallel port's ppdev,
// with the program's own bus master on the port's lines, and i2c-dev, with an I2C adapter as the
// master. Every test of the suite names its driver, "Ppdev" or "I2cDev", so that ctest runs each
// driver's tests as an entry of its own.
enum class Driver { Ppdev, I2cDev };

inline std::string DriverName(Driver bus) {
    return bus == Driver::Ppdev ? "Ppdev" : "I2cDev";
}

// What the emulated device file is: a node of the one emulation or of the other.
using Node = std::variant<EmulatedPpdev::Node, EmulatedI2cDev::Node>;

inline Node PresentNode(Driver bus) {
    if (bus == Driver::Ppdev) return EmulatedPpdev::Node::Present;
    return EmulatedI2cDev::Node::Present;
}

inline Driver DriverOf(const Node& node) {
    return std::holds_alternative<EmulatedPpdev::Node>(node) ? Driver::Ppdev : Driver::I2cDev;
}

// A board behind an emulated kernel device, installed while this object lives, and the program's
// way to it: the port it opens (the real PpdevPort on `portDevice`; for the adapter a port never
// opened) and the adapter's device file (none for the port).
class KernelBus {
  public:
    KernelBus(board::VirtualBoard& board, const Node& node,
              const std::string& portDevice = EmulatedPpdev::Path)
        : bus_(DriverOf(node)) {
        if (bus_ == Driver::Ppdev) {
            ppdev_.emplace(board, std::get<EmulatedPpdev::Node>(node));
            port_.emplace(portDevice);
        } else {
            i2cDev_.emplace(board, std::get<EmulatedI2cDev::Node>(node));
        }
    }

    Driver Which() const { return bus_; }
    PortIo& ProgramPort() {
        if (port_) return *port_;
        return unused_;
    }
    AdapterChoice Adapter() const {
        if (!i2cDev_) return {};
        return {.carrier = AdapterChoice::Carrier::I2cDev, .device = EmulatedI2cDev::Path};
    }
    // Requests the driver has answered at the board: status reads of the port, transfers of the
    // adapter.
    long Requests() const {
        return bus_ == Driver::Ppdev ? EmulatedPpdev::StatusReads() : EmulatedI2cDev::Transfers();
    }

  private:
    Driver bus_;
    std::optional<EmulatedPpdev> ppdev_;
    std::optional<EmulatedI2cDev> i2cDev_;
    std::optional<PpdevPort> port_;  // closed before its driver goes
    UnusedPort unused_;
};

// A program fixture (MainWindowTest, QK330Test) whose program runs through the kernel on `bus`.
template <typename Base>
class On : public Base {
  protected:
    template <typename... Args>
    explicit On(Driver bus, Args... args) : Base(args...), kernel_(this->board, PresentNode(bus)) {}
    PortIo& ProgramPort() override { return kernel_.ProgramPort(); }
    AdapterChoice Adapter() override { return kernel_.Adapter(); }

    KernelBus kernel_;
};

}  // namespace qk::test
