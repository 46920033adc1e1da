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

TEST(CommandLine, OptionsHelpVersionAndMistakes) {
    const LineCase cases[] = {
        {{}, Outcome::Run, "", false, false, ""},
        {{"--i2c-dev", "/dev/i2c-3"}, Outcome::Run, "/dev/i2c-3", false, false, ""},
        {{"--i2c-dev=/dev/i2c-2"}, Outcome::Run, "/dev/i2c-2", false, false, ""},
        {{"--i2c-dev", "1"}, Outcome::Run, "/dev/i2c-1", false, false, ""},
        {{"-V"}, Outcome::Version, "", false, false, ""},
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
        EXPECT_EQ(parsed.options.adapterDevice, c.adapterDevice) << where;
        EXPECT_EQ(parsed.options.listAdapters, c.listAdapters) << where;
        EXPECT_EQ(parsed.platformChosen, c.platformChosen) << where;
    }
}

TEST(CommandLine, HelpListsEveryOptionInColumns) {
    const std::string help = CommandLineHelp("qk3xx");
    for (const char* line : {
             "Usage: qk3xx [OPTION]...\n",
             "\n  --i2c-dev DEVICE  drive the board through the Linux I2C adapter DEVICE\n"
             "                    (e.g. /dev/i2c-1, or its number: 1) instead of the parallel "
             "port\n",
             "\n  --list-adapters   print the I2C adapters (number, name, device) and exit\n",
             "\n  --help            show this text and exit (also -h)\n",
             "\n  --version         print the program's version and exit (also -V)\n",
             "\nExit status: 0",
         })
        EXPECT_NE(help.find(line), std::string::npos) << line << "\nin\n" << help;
}

}  // namespace
}  // namespace qk
