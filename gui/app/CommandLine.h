#pragma once
#include <string>
#include <vector>

#include "core/bus/AdapterBus.h"
#include "core/cmdline/OptionTable.h"

namespace qk {

// What qk3xx was asked for on its command line.
struct CommandLine {
    AdapterChoice adapter;      // --i2c-dev DEVICE or --ftdi [SELECTOR]: frames go through it
    bool listAdapters = false;  // --list-adapters: print the adapters and exit
};

using ParsedCommandLine = cmdline::Parsed<CommandLine>;

// Reads the arguments after the program name: --i2c-dev, --ftdi, --list-adapters, --help, --version
// and Qt's own options. Anything else is an error.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The --help text.
std::string CommandLineHelp(const std::string& program);

}  // namespace qk
