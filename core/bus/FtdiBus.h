#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "core/bus/AdapterBus.h"
#include "core/bus/MpsseFrame.h"

struct ftdi_context;

namespace qk {

// The bus master on an FTDI USB bridge's MPSSE engine (FT232H, FT2232H, FT4232H), through
// libftdi: SCL on AD0, SDA on AD1 and AD2 tied together. Each frame is one command buffer sent in
// one write and answered in one read: one USB round trip. The engine clocks without looking at
// SCL, so a chip that stretches the clock is not waited for; a frame is clocked to its end, a
// byte without an acknowledge included, as the parallel port's master does.
class FtdiBus : public AdapterBus {
  public:
    // `selector` as --ftdi takes it (FtdiDevices.h); empty for the only bridge present.
    FtdiBus(std::string selector, FrameLogSink& log, I2cSpeed speed = I2cSpeed::Standard);
    ~FtdiBus() override;

    // Finds and opens the bridge, puts its engine in MPSSE mode with the clock and the open-drain
    // lines, and checks the wiring: SDA pulled low through AD1 must read low on AD2.
    bool Setup() override;
    const std::string& SetupError() const override { return error_; }
    std::string Device() const override { return name_; }
    std::string Kind() const override { return "FTDI bridge"; }
    bool Lost() const override { return lost_; }
    HeldLine LineHeldLow() override;

  protected:
    void SendWriteFrame(const uint8_t* frame, int count) override;
    void ReceiveReadFrame(uint8_t address, uint8_t* buffer, int count) override;
    // A bridge that went away is looked for again (START after plugging it back in).
    void ResetMasterErrors() override;

  private:
    bool Open();
    bool EnterMpsse();
    bool CheckWiring();
    // Sends the frame's commands and reads its answers; false, with `reason` set, when the
    // bridge does not take them or answer in time.
    bool Exchange(const MpsseFrame& frame, std::vector<uint8_t>& answers, std::string& reason);
    // As Exchange, but a failure means the bridge is gone: it is told, and nothing is sent again.
    bool Carry(MpsseFrame& frame, std::vector<uint8_t>& answers);
    void Close();

    std::string selector_;
    I2cSpeed speed_;
    ftdi_context* context_ = nullptr;
    bool driveZero_ = false;
    bool open_ = false;
    bool lost_ = false;
    std::string name_;
    std::string error_;
};

}  // namespace qk
