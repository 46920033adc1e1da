#pragma once
#include <string>
#include <vector>

namespace qk {

// What qk3xx was asked for on its command line; options it does not know are left to Qt.
struct CommandLine {
    std::string adapterDevice;  // --i2c-dev DEVICE: frames go through that I2C adapter
    bool listAdapters = false;  // --list-adapters: print the adapters and exit
    std::string error;          // an option without its argument, said for the user
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace qk
