#include "gui/app/CommandLine.h"

#include <gtest/gtest.h>

namespace qk {
namespace {

using Outcome = ParsedCommandLine::Outcome;

struct LineCase {
    std::vector<std::string> arguments;
    Outcome outcome;
    std::string adapterDevice;
    bool listAdapters;
    bool platformChosen;
    std::string error;
};

// "/dev/i2c-3" for an i2c-dev adapter, "ftdi:SELECTOR" for an FTDI bridge.
std::string Described(const AdapterChoice& adapter) {
    if (adapter.carrier == AdapterChoice::Carrier::Ftdi) return "ftdi:" + adapter.device;
    return adapter.device;
}

TEST(CommandLine, OptionsHelpVersionAndMistakes) {
    const LineCase cases[] = {
        {{}, Outcome::Run, "", false, false, ""},
        {{"--i2c-dev", "/dev/i2c-3"}, Outcome::Run, "/dev/i2c-3", false, false, ""},
        {{"--i2c-dev=/dev/i2c-2"}, Outcome::Run, "/dev/i2c-2", false, false, ""},
        {{"--i2c-dev", "1"}, Outcome::Run, "/dev/i2c-1", false, false, ""},
        {{"-V"}, Outcome::Version, "", false, false, ""},
        {{"--ftdi"}, Outcome::Run, "ftdi:", false, false, ""},
        {{"--ftdi", "FT4QK330:b", "--list-adapters"},
         Outcome::Run,
         "ftdi:FT4QK330:b",
         true,
         false,
         ""},
        {{"--ftdi", "--list-adapters"}, Outcome::Run, "ftdi:", true, false, ""},
        {{"--ftdi=0403:6010"}, Outcome::Run, "ftdi:0403:6010", false, false, ""},
        {{"--ftdi", "1/300"},
         Outcome::Error,
         "",
         false,
         false,
         "--ftdi: '1/300': a bus and device are two decimal numbers, as lsusb shows them "
         "(001/005)"},
        {{"--ftdi", "0403:60100"},
         Outcome::Error,
         "",
         false,
         false,
         "--ftdi: '0403:60100': a product is VID:PID in hex, as lsusb shows it (0403:6014); a "
         "channel is :A to :D"},
        {{"--i2c-dev", "1", "--ftdi"},
         Outcome::Error,
         "",
         false,
         false,
         "--ftdi: choose one bus: --i2c-dev or --ftdi"},
        {{"--list-adapters", "--"}, Outcome::Run, "", true, false, ""},
        {{"--", "/dev/i2c-1"},
         Outcome::Error,
         "",
         false,
         false,
         "unexpected argument '/dev/i2c-1'"},
        {{"--i2c-dev", "1", "--i2c-dev", "2"},
         Outcome::Error,
         "",
         false,
         false,
         "--i2c-dev is given twice: give it once"},
        {{"-style", "fusion", "--i2c-dev", "/dev/i2c-1"},
         Outcome::Run,
         "/dev/i2c-1",
         false,
         false,
         ""},
        {{"--platform=offscreen", "-reverse"}, Outcome::Run, "", false, true, ""},
        {{"-platform", "offscreen"}, Outcome::Run, "", false, true, ""},
        {{"--list-adapters"}, Outcome::Run, "", true, false, ""},
        {{"--help"}, Outcome::Help, "", false, false, ""},
        {{"-h"}, Outcome::Help, "", false, false, ""},
        {{"--i2c-dev", "/dev/i2c-1", "--version"},
         Outcome::Version,
         "/dev/i2c-1",
         false,
         false,
         ""},
        {{"--bogus"}, Outcome::Error, "", false, false, "unknown option '--bogus'"},
        {{"parport1"}, Outcome::Error, "", false, false, "unknown option 'parport1'"},
        {{"--i2c-dev"}, Outcome::Error, "", false, false, "--i2c-dev needs a value"},
        {{"--i2c-dev", "--list-adapters"},
         Outcome::Error,
         "",
         false,
         false,
         "--i2c-dev needs a value"},
        {{"--i2c-dev="},
         Outcome::Error,
         "",
         false,
         false,
         "--i2c-dev: needs the adapter's device, e.g. --i2c-dev /dev/i2c-1"},
        {{"--list-adapters=all"},
         Outcome::Error,
         "",
         false,
         false,
         "--list-adapters takes no value"},
        {{"--version=2"}, Outcome::Error, "", false, false, "--version takes no value"},
        {{"-style"}, Outcome::Error, "", false, false, "-style needs a value"},
    };
    for (const LineCase& c : cases) {
        const ParsedCommandLine parsed = ParseCommandLine(c.arguments);
        const std::string where = ::testing::PrintToString(c.arguments);
        EXPECT_EQ(parsed.outcome, c.outcome) << where;
        EXPECT_EQ(parsed.error, c.error) << where;
        if (c.outcome == Outcome::Error) continue;
        EXPECT_EQ(Described(parsed.options.adapter), c.adapterDevice) << where;
        EXPECT_EQ(parsed.options.listAdapters, c.listAdapters) << where;
        EXPECT_EQ(parsed.platformChosen, c.platformChosen) << where;
    }
}

TEST(CommandLine, HelpListsEveryOptionInColumns) {
    const std::string help = CommandLineHelp("qk3xx");
    for (const char* line : {
             "Usage: qk3xx [OPTION]...\n",
             "\n  --i2c-dev DEVICE   drive the board through the Linux I2C adapter DEVICE\n"
             "                     (e.g. /dev/i2c-1, or its number: 1) instead of the parallel "
             "port\n",
             "\n  --ftdi [SELECTOR]  drive the board through an FTDI bridge's MPSSE engine",
             "\n  --list-adapters    print the I2C adapters (number, name, device) and the FTDI\n",
             "\n  --help             show this text and exit (also -h)\n",
             "\n  --version          print the program's version and exit (also -V)\n",
             "\nExit status: 0",
         })
        EXPECT_NE(help.find(line), std::string::npos) << line << "\nin\n" << help;
}

}  // namespace
}  // namespace qk
