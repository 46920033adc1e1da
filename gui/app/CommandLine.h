#pragma once
#include <string>
#include <vector>

#include "core/cmdline/OptionTable.h"

namespace qk {

// What qk3xx was asked for on its command line.
struct CommandLine {
    std::string adapterDevice;  // --i2c-dev DEVICE: frames go through that I2C adapter
    bool listAdapters = false;  // --list-adapters: print the adapters and exit
};

using ParsedCommandLine = cmdline::Parsed<CommandLine>;

// Reads the arguments after the program name: --i2c-dev, --list-adapters, --help, --version and
// Qt's own options. Anything else is an error.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The --help text.
std::string CommandLineHelp(const std::string& program);

}  // namespace qk
