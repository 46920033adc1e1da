#include <gtest/gtest.h>

#include "core/bus/PpdevPort.h"

namespace qk {
namespace {

struct PortCase {
    const char* device;
    const char* says;
    const char* remedy;
};

class MissingPort : public ::testing::TestWithParam<PortCase> {};

TEST_P(MissingPort, ActsAsAnEmptyPortAndSaysWhy) {
    PpdevPort port(GetParam().device);
    EXPECT_FALSE(port.Setup());
    EXPECT_FALSE(port.IsOpen());
    const std::string error = port.SetupError();
    EXPECT_NE(error.find(GetParam().device), std::string::npos) << error;
    EXPECT_NE(error.find(GetParam().says), std::string::npos) << error;
    EXPECT_NE(error.find(GetParam().remedy), std::string::npos) << error;
    port.PortWrite(ControlPort, 0);
    port.PortWrite(DataPort, 0x81);
    EXPECT_EQ(port.PortRead(StatusPort), 0xFF) << "every line reads high";
}

INSTANTIATE_TEST_SUITE_P(Devices, MissingPort,
                         ::testing::Values(PortCase{"/dev/no-such-parport", "could not be opened",
                                                    "modprobe ppdev"},
                                           PortCase{"/dev/null", "could not be claimed", "ppdev"}));

}  // namespace
}  // namespace qk
