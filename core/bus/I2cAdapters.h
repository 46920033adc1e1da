#pragma once
#include <string>
#include <vector>

namespace qk {

// One I2C adapter that the i2c-dev module exposes as /dev/i2c-<number>.
struct I2cAdapter {
    int number = 0;
    std::string name;  // the adapter driver's own name
    std::string Device() const { return "/dev/i2c-" + std::to_string(number); }
};

// The adapters listed under `classDirectory`, by number; none when the directory is missing
// (the i2c-dev module is not loaded).
std::vector<I2cAdapter> ListI2cAdapters(const std::string& classDirectory = "/sys/class/i2c-dev");

// One line per adapter: "i2c-<number>", its name and its device file, tab-separated; or, with no
// adapter, what to do about it.
std::string AdapterListing(const std::vector<I2cAdapter>& adapters);

}  // namespace qk
