#include "core/bus/I2cAdapters.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace qk {
namespace {

namespace fs = std::filesystem;

// A class directory as sysfs shows it: one entry per adapter, each with its name file.
class AdapterDirectory : public ::testing::Test {
  protected:
    void SetUp() override { fs::create_directories(root_); }
    void TearDown() override { fs::remove_all(root_); }
    void Add(const std::string& entry, const std::string& name) {
        fs::create_directories(root_ / entry);
        std::ofstream(root_ / entry / "name") << name << "\n";
    }
    std::string Root() const { return root_.string(); }

  private:
    fs::path root_ = fs::temp_directory_path() / ("qk-i2c-dev-" + std::to_string(::getpid()));
};

TEST_F(AdapterDirectory, ListsTheAdaptersByNumberWithTheirNames) {
    Add("i2c-10", "USB bridge");
    Add("i2c-2", "SMBus host");
    Add("power", "not an adapter");
    EXPECT_EQ(AdapterListing(ListI2cAdapters(Root())),
              "i2c-2\tSMBus host                      \t/dev/i2c-2\n"
              "i2c-10\tUSB bridge                      \t/dev/i2c-10\n");
}

TEST_F(AdapterDirectory, NoneSaysHowToGetThem) {
    EXPECT_TRUE(ListI2cAdapters(Root() + "/missing").empty());
    EXPECT_NE(AdapterListing({}).find("modprobe i2c-dev"), std::string::npos);
}

}  // namespace
}  // namespace qk
