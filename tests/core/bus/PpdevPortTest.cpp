#include <gtest/gtest.h>

#include <filesystem>

#include "core/bus/PpdevPort.h"
#include "tests/support/ScratchFolder.h"

namespace qk {
namespace {

struct PortCase {
    const char* device;  // a path, or the name of a null device the test makes for itself
    const char* says;
    const char* remedy;
};

constexpr char OwnNullDevice[] = "null";

class MissingPort : public ::testing::TestWithParam<PortCase> {
  protected:
    void TearDown() override { std::filesystem::remove_all(folder); }
    const std::filesystem::path folder = test::ScratchFolder("ppdev-port");
};

TEST_P(MissingPort, ActsAsAnEmptyPortAndSaysWhy) {
    std::string device = GetParam().device;
    if (device == OwnNullDevice) {
        std::filesystem::create_directories(folder);
        device = folder / OwnNullDevice;
        if (!test::MakeMemoryDevice(device, test::MemoryDevice::Null))
            GTEST_SKIP() << "making a device node needs root";
    }
    PpdevPort port(device);
    EXPECT_FALSE(port.Setup());
    EXPECT_FALSE(port.IsOpen());
    const std::string error = port.SetupError();
    EXPECT_NE(error.find(device), std::string::npos) << error;
    EXPECT_NE(error.find(GetParam().says), std::string::npos) << error;
    EXPECT_NE(error.find(GetParam().remedy), std::string::npos) << error;
    port.PortWrite(ControlPort, 0);
    port.PortWrite(DataPort, 0x81);
    EXPECT_EQ(port.PortRead(StatusPort), 0xFF) << "every line reads high";
}

INSTANTIATE_TEST_SUITE_P(
    Devices, MissingPort,
    ::testing::Values(PortCase{"/dev/no-such-parport", "could not be opened", "modprobe ppdev"},
                      PortCase{OwnNullDevice, "could not be claimed", "ppdev"}));

}  // namespace
}  // namespace qk
