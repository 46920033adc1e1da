#pragma once
#include <chrono>
#include <string>

#include "core/bus/Port.h"

namespace qk {

// LPT1 through the Linux ppdev driver. Setup opens the device and claims the port; until then, or
// when that fails, the port behaves as if nothing were attached: every status line reads high
// (so no chip ever acknowledges) and writes go nowhere.
class PpdevPort : public PortIo {
  public:
    // The driver lets a claim sleep for as long as another program holds the port; after this
    // long the claim is given up as refused.
    static constexpr std::chrono::milliseconds DefaultClaimDeadline{1000};

    explicit PpdevPort(std::string device = "/dev/parport0",
                       std::chrono::milliseconds claimDeadline = DefaultClaimDeadline);
    ~PpdevPort() override;
    PpdevPort(const PpdevPort&) = delete;
    PpdevPort& operator=(const PpdevPort&) = delete;

    // Open and claim the port, waiting at most the claim deadline for another program to release
    // it. On failure, SetupError() says why and what to do about it.
    bool Setup() override;
    bool IsOpen() const { return fd_ >= 0; }
    std::string SetupError() const override { return error_; }

    uint8_t PortRead(int port) override;
    void PortWrite(int port, uint8_t value) override;

  private:
    // What every read gives while no port is claimed: all lines high.
    static constexpr uint8_t NothingAttached = 0xFF;

    std::string device_;
    std::chrono::milliseconds claimDeadline_;
    int fd_ = -1;
    std::string error_;
};

}  // namespace qk
