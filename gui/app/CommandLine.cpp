#include "gui/app/CommandLine.h"

#include "core/cmdline/NumberRule.h"

namespace qk {

namespace {

bool ApplyAdapter(const std::string& value, CommandLine& line, std::string& error) {
    if (value.empty()) {
        error = "needs the adapter's device, e.g. --i2c-dev /dev/i2c-1";
        return false;
    }
    line.adapterDevice = cmdline::I2cDevicePath(value);
    return true;
}

bool ApplyList(const std::string&, CommandLine& line, std::string&) {
    line.listAdapters = true;
    return true;
}

// qk3xx's options: add a row for a new one.
const cmdline::Option<CommandLine> kOptions[] = {
    {.name = "--i2c-dev",
     .value = "DEVICE",
     .help = "drive the board through the Linux I2C adapter DEVICE\n"
             "(e.g. /dev/i2c-1, or its number: 1) instead of the parallel port",
     .apply = &ApplyAdapter},
    {.name = "--list-adapters",
     .help = "print the I2C adapters (number, name, device) and exit",
     .apply = &ApplyList},
};

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    return cmdline::Parse<CommandLine>(kOptions, arguments);
}

std::string CommandLineHelp(const std::string& program) {
    return cmdline::Usage(program,
                          "QK3xx Software on the PC's parallel port /dev/parport0, or on a Linux "
                          "I2C adapter.",
                          cmdline::Names<CommandLine>(kOptions),
                          "Exit status: 0 when the program ends normally, 1 without a graphical\n"
                          "session or when --list-adapters finds no adapter, 2 for a mistake on\n"
                          "the command line.\n");
}

}  // namespace qk
