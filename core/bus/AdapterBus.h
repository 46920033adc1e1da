#pragma once
#include <memory>
#include <string>

#include "core/bus/I2cMaster.h"

namespace qk {

// A bus master on an adapter that times the clock itself and is opened once, in place of the
// parallel port: an i2c-dev adapter or an FTDI bridge. Until Setup succeeds, nothing acknowledges.
class AdapterBus : public I2cMaster {
  public:
    using I2cMaster::I2cMaster;

    // Opens the adapter; on failure SetupError() says why and what to do about it.
    virtual bool Setup() = 0;
    virtual const std::string& SetupError() const = 0;
    // The adapter as messages name it ("/dev/i2c-1", "FT232H serial FT6ZQ1AB").
    virtual std::string Device() const = 0;
    // What kind of adapter it is, as a message's title says it ("I2C adapter").
    virtual std::string Kind() const = 0;
    // The adapter went away after Setup (unplugged): every frame fails at once from then on.
    virtual bool Lost() const { return false; }
};

// The adapter the command line chose in place of the parallel port.
struct AdapterChoice {
    enum class Carrier { None, I2cDev, Ftdi };
    Carrier carrier = Carrier::None;
    std::string device;  // I2cDev: /dev/i2c-N; Ftdi: the selector, empty for the only device
    I2cSpeed speed = I2cSpeed::Standard;  // Ftdi (an i2c-dev adapter's is the kernel's)
};

}  // namespace qk
