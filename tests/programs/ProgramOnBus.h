#pragma once
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "board/VirtualBoard.h"
#include "core/bus/AdapterBus.h"
#include "core/bus/PpdevPort.h"
#include "tests/support/EmulatedFtdi.h"
#include "tests/support/EmulatedI2cDev.h"
#include "tests/support/EmulatedPpdev.h"

namespace qk::test {

// The three drivers through which the program reaches the board: the kernel's ppdev, with the
// program's own bus master on the parallel port's lines; the kernel's i2c-dev, with an I2C adapter
// as the master; and libftdi, with an FTDI bridge's MPSSE engine clocking the lines. Every test of
// the suite names its driver, "Ppdev", "I2cDev" or "Ftdi", so that ctest runs each driver's tests
// as an entry of its own.
enum class Driver { Ppdev, I2cDev, Ftdi };

inline std::string DriverName(Driver bus) {
    constexpr const char* Names[] = {"Ppdev", "I2cDev", "Ftdi"};
    return Names[static_cast<int>(bus)];
}

// What the emulated device is: a node of one of the emulations.
using Node = std::variant<EmulatedPpdev::Node, EmulatedI2cDev::Node, FtdiNode>;

inline Node PresentNode(Driver bus) {
    if (bus == Driver::Ppdev) return EmulatedPpdev::Node::Present;
    if (bus == Driver::Ftdi) return FtdiNode::FT232H;
    return EmulatedI2cDev::Node::Present;
}

// The node's alternatives come in the order of Driver.
inline Driver DriverOf(const Node& node) {
    return static_cast<Driver>(node.index());
}

// A board behind an emulated device, installed while this object lives, and the program's way to
// it: the port it opens (the real PpdevPort on `portDevice`; for an adapter a port never opened)
// and the adapter it chooses (none for the port; the only FTDI bridge, with no selector).
class KernelBus {
  public:
    KernelBus(board::VirtualBoard& board, const Node& node,
              const std::string& portDevice = EmulatedPpdev::Path)
        : bus_(DriverOf(node)) {
        if (bus_ == Driver::Ppdev) {
            ppdev_.emplace(board, std::get<EmulatedPpdev::Node>(node));
            port_.emplace(portDevice);
        } else if (bus_ == Driver::I2cDev) {
            i2cDev_.emplace(board, std::get<EmulatedI2cDev::Node>(node));
        } else {
            ftdiDevices_ = FtdiDevices(std::get<FtdiNode>(node), board);
            ftdi_.emplace(ftdiDevices_);
        }
    }

    Driver Which() const { return bus_; }
    PortIo& ProgramPort() {
        if (port_) return *port_;
        return unused_;
    }
    AdapterChoice Adapter() const {
        if (bus_ == Driver::I2cDev)
            return {.carrier = AdapterChoice::Carrier::I2cDev, .device = EmulatedI2cDev::Path};
        if (bus_ == Driver::Ftdi) return {.carrier = AdapterChoice::Carrier::Ftdi, .device = ""};
        return {};
    }
    // Requests the driver has answered at the board: status reads of the port, transfers of the
    // i2c-dev adapter, USB round trips of the bridge.
    long Requests() const {
        if (bus_ == Driver::Ppdev) return EmulatedPpdev::StatusReads();
        if (bus_ == Driver::I2cDev) return EmulatedI2cDev::Transfers();
        return EmulatedFtdi::RoundTrips();
    }
    // The FTDI bridges unplugged and plugged in again, as new devices.
    void ReplugFtdi() {
        ftdi_.reset();
        ftdi_.emplace(ftdiDevices_);
    }

  private:
    Driver bus_;
    std::optional<EmulatedPpdev> ppdev_;
    std::optional<EmulatedI2cDev> i2cDev_;
    std::vector<EmulatedFtdi::Device> ftdiDevices_;
    std::optional<EmulatedFtdi> ftdi_;
    std::optional<PpdevPort> port_;  // closed before its driver goes
    UnusedPort unused_;
};

// A program fixture (MainWindowTest, QK330Test) whose program runs through the kernel on `bus`.
template <typename Base>
class On : public Base {
  protected:
    template <typename... Args>
    explicit On(const Node& node, Args... args) : Base(args...), kernel_(this->board, node) {}
    template <typename... Args>
    explicit On(Driver bus, Args... args) : On(PresentNode(bus), args...) {}
    PortIo& ProgramPort() override { return kernel_.ProgramPort(); }
    AdapterChoice Adapter() override { return kernel_.Adapter(); }

    KernelBus kernel_;
};

}  // namespace qk::test
