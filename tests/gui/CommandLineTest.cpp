#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace qk {
namespace {

struct LineCase {
    std::vector<std::string> arguments;
    std::string adapterDevice;
    bool listAdapters;
    bool error;
};

TEST(CommandLine, BusOptions) {
    const LineCase cases[] = {
        {{}, "", false, false},
        {{"--i2c-dev", "/dev/i2c-3"}, "/dev/i2c-3", false, false},
        {{"-style", "fusion", "--i2c-dev", "/dev/i2c-1"}, "/dev/i2c-1", false, false},
        {{"--list-adapters"}, "", true, false},
        {{"--i2c-dev"}, "", false, true},
        {{"--i2c-dev", "--list-adapters"}, "", false, true},
    };
    for (const LineCase& c : cases) {
        const CommandLine line = ParseCommandLine(c.arguments);
        EXPECT_EQ(line.adapterDevice, c.adapterDevice) << ::testing::PrintToString(c.arguments);
        EXPECT_EQ(line.listAdapters, c.listAdapters) << ::testing::PrintToString(c.arguments);
        EXPECT_EQ(!line.error.empty(), c.error) << ::testing::PrintToString(c.arguments);
    }
}

}  // namespace
}  // namespace qk
