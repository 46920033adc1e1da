#pragma once
#include <cstdint>
#include <string>

#include "core/bus/AdapterBus.h"

namespace qk {

// The bus master on a Linux I2C adapter (/dev/i2c-N of the i2c-dev module, e.g. a USB-to-I2C
// bridge). Each frame is one I2C_RDWR transfer of one message, so every frame ends in a STOP,
// as on the parallel port: a register read is the sub-address write, STOP, then the read. The
// adapter times the clock itself. Until Setup succeeds, nothing acknowledges.
class I2cDevBus : public AdapterBus {
  public:
    I2cDevBus(std::string device, FrameLogSink& log);
    ~I2cDevBus() override;

    // Opens the adapter and checks once that it carries plain I2C transfers. On failure,
    // SetupError() says why and what to do about it.
    bool Setup() override;
    bool IsOpen() const { return fd_ >= 0; }
    const std::string& SetupError() const override { return error_; }
    std::string Device() const override { return device_; }
    std::string Kind() const override { return "I2C adapter"; }

  protected:
    void SendWriteFrame(const uint8_t* frame, int count) override;
    void ReceiveReadFrame(uint8_t address, uint8_t* buffer, int count) override;

  private:
    void Transfer(uint8_t address, uint8_t* bytes, int count);
    void ReportFailure(int error);

    std::string device_;
    int fd_ = -1;
    std::string error_;
};

}  // namespace qk
