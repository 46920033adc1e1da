#include "gui/app/CommandLine.h"

#include "core/bus/FtdiDevices.h"
#include "core/cmdline/NumberRule.h"

namespace qk {

namespace {

// One adapter carries the frames: a second is a mistake.
bool ChooseAdapter(CommandLine& line, AdapterChoice::Carrier carrier, std::string device,
                   std::string& error) {
    if (line.adapter.carrier != AdapterChoice::Carrier::None) {
        error = "choose one bus: --i2c-dev or --ftdi";
        return false;
    }
    line.adapter.carrier = carrier;
    line.adapter.device = std::move(device);
    return true;
}

bool ApplyAdapter(const std::string& value, CommandLine& line, std::string& error) {
    if (value.empty()) {
        error = "needs the adapter's device, e.g. --i2c-dev /dev/i2c-1";
        return false;
    }
    return ChooseAdapter(line, AdapterChoice::Carrier::I2cDev, cmdline::I2cDevicePath(value),
                         error);
}

bool ApplyFtdi(const std::string& value, CommandLine& line, std::string& error) {
    FtdiSelector selector;
    if (!ParseFtdiSelector(value, selector, error)) return false;
    return ChooseAdapter(line, AdapterChoice::Carrier::Ftdi, value, error);
}

bool ApplyFast(const std::string&, CommandLine& line, std::string&) {
    line.adapter.speed = I2cSpeed::Fast;
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
    {.name = "--ftdi",
     .value = "SELECTOR",
     .valueOptional = true,
     .help = std::string("drive the board through ") + kFtdiOptionHelp,
     .apply = &ApplyFtdi},
    {.name = "--ftdi-fast", .help = kFtdiFastOptionHelp, .apply = &ApplyFast},
    {.name = "--list-adapters",
     .help = "print the I2C adapters (number, name, device) and the FTDI\n"
             "bridges (serial number, product, --ftdi SELECTOR), and exit",
     .apply = &ApplyList},
};

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    ParsedCommandLine parsed = cmdline::Parse<CommandLine>(kOptions, arguments);
    const AdapterChoice& adapter = parsed.options.adapter;
    if (parsed.outcome == cmdline::Outcome::Run && adapter.speed == I2cSpeed::Fast &&
        adapter.carrier != AdapterChoice::Carrier::Ftdi) {
        parsed.outcome = cmdline::Outcome::Error;
        parsed.error = "--ftdi-fast sets the clock of an FTDI bridge: give --ftdi too";
    }
    return parsed;
}

std::string CommandLineHelp(const std::string& program) {
    return cmdline::Usage(program,
                          "QK3xx Software on the PC's parallel port /dev/parport0, on a Linux "
                          "I2C\nadapter, or on an FTDI USB bridge.",
                          cmdline::Names<CommandLine>(kOptions),
                          "Exit status: 0 when the program ends normally, 1 without a graphical\n"
                          "session or when --list-adapters finds no adapter, 2 for a mistake on\n"
                          "the command line.\n");
}

}  // namespace qk
