#pragma once
#include <cstdint>
#include <string>

namespace qk {

// I/O addresses of LPT1.
constexpr int DataPort = 888;     // 0x378: the eight data lines (pins window only)
constexpr int StatusPort = 889;   // 0x379: bit 3 reads SDA, bit 6 reads SCL
constexpr int ControlPort = 890;  // 0x37A: bit 0 drives SDA, bit 1 drives SCL

constexpr uint8_t StatusSda = 0x08;
constexpr uint8_t StatusScl = 0x40;
constexpr uint8_t ControlSda = 0x01;
constexpr uint8_t ControlScl = 0x02;

// Byte access to the parallel port's registers.
class PortIo {
  public:
    virtual ~PortIo() = default;
    // Grants access to the port; done once, before any I/O. On failure SetupError() says why.
    virtual bool Setup() { return true; }
    virtual std::string SetupError() const { return {}; }
    virtual uint8_t PortRead(int port) = 0;
    virtual void PortWrite(int port, uint8_t value) = 0;
};

// A port that is never opened: every line reads high and writes go nowhere. Stands in for the
// parallel port while an I2C adapter carries the frames.
class UnusedPort : public PortIo {
  public:
    uint8_t PortRead(int) override { return 0xFF; }
    void PortWrite(int, uint8_t) override {}
};

}  // namespace qk
