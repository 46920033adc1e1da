#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/bus/Datalog.h"
#include "tests/support/BusTestSupport.h"
#include "tests/support/ScratchFolder.h"

namespace qk::test {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class DatalogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("qk_datalog_" + std::to_string(getpid()));
        fs::create_directories(dir);
        file = dir / "DataLog.txt";
    }
    void TearDown() override { fs::remove_all(dir); }

    TransactionLog MakeLog(const fs::path& path) {
        return TransactionLog(
            {[this](const std::string& t) { first = t; },
             [this](const std::string& t) { second = t; }, [this](bool on) { checked = on; },
             [this](const std::string& t) { reason = t; }},
            path.string());
    }

    fs::path dir, file;
    std::string first, second, reason;
    bool checked = false;
};

TEST_F(DatalogTest, LinesHaveTheFileFormat) {
    TransactionLog log = MakeLog(file);
    ASSERT_TRUE(log.SetLogging(true));
    EXPECT_EQ(first, "READY");
    EXPECT_EQ(second, "DATALOG ON");
    EXPECT_TRUE(checked);
    for (auto frame : {std::vector<uint8_t>{0x34, 0x07, 0x0A, 0x00}, {0x34, 0xFF, 0x10, 0x01}}) {
        log.LogMarker('{');
        for (uint8_t b : frame) log.LogByte(b);
        log.LogMarker('}');
    }
    EXPECT_EQ(ReadFile(file), "{0x34 0x7 0xa 0x0 }\n{0x34 0xff 0x10 0x1 }\n")
        << "each line is on disk as soon as its frame ends";
}

TEST_F(DatalogTest, FramesWhileOffAreNotWrittenAndSwitchingOnTruncates) {
    BusRig rig;
    TransactionLog log = MakeLog(file);
    I2cBus bus(rig.board, log);
    const uint8_t bytes[] = {0x13, 0xC9};
    bus.I2cWrite(0x34, bytes, 2);  // logging off
    ASSERT_TRUE(log.SetLogging(true));
    uint8_t value = 0;
    bus.I2cRead(0x34, 0x00, &value, 1);
    EXPECT_EQ(ReadFile(file), "{0x34 0x0 }\n");

    log.SetLogging(false);
    EXPECT_EQ(first, "READY");
    EXPECT_EQ(second, "READY");
    EXPECT_FALSE(checked);
    bus.I2cWrite(0x34, bytes, 2);
    EXPECT_EQ(ReadFile(file), "{0x34 0x0 }\n");

    ASSERT_TRUE(log.SetLogging(true));
    EXPECT_EQ(ReadFile(file), "") << "every switch-on starts a new log";
    bus.SetOffLine(true);
    bus.I2cWrite(0x34, bytes, 2);
    EXPECT_EQ(ReadFile(file), "{0x34 0x13 0xc9 }\n") << "off line, frames are still logged";
}

TEST_F(DatalogTest, OpenFailureLeavesLoggingOffWithTheReason) {
    TransactionLog log = MakeLog(dir / "missing" / "DataLog.txt");
    EXPECT_FALSE(log.SetLogging(true));
    EXPECT_FALSE(log.Enabled());
    EXPECT_FALSE(checked);
    EXPECT_EQ(first, "READY");
    EXPECT_EQ(second, "DATALOG OPEN ERR");
    EXPECT_NE(log.Error().find("No such file"), std::string::npos) << log.Error();
    log.LogMarker('{');
    log.LogByte(0x34);
    log.LogMarker('}');  // ignored, and no crash
    EXPECT_FALSE(fs::exists(dir / "missing"));
}

void LogFrame(TransactionLog& log, std::vector<uint8_t> frame) {
    log.LogMarker('{');
    for (uint8_t b : frame) log.LogByte(b);
    log.LogMarker('}');
}

TEST_F(DatalogTest, AFullDiskStopsTheLogAndSaysSo) {
    if (!test::MakeMemoryDevice(file, test::MemoryDevice::Full))
        GTEST_SKIP() << "making a device node needs root";
    TransactionLog log = MakeLog(file);
    ASSERT_TRUE(log.SetLogging(true));
    LogFrame(log, {0x34, 0x13, 0xC9});
    EXPECT_FALSE(log.Enabled());
    EXPECT_FALSE(checked);
    EXPECT_EQ(first, "READY");
    EXPECT_EQ(second, "DATALOG WRITE ERR");
    EXPECT_NE(log.Error().find("No space left"), std::string::npos) << log.Error();
    EXPECT_EQ(reason, log.Error()) << "the reason is told";
}

// The file may grow by `bytes` more, then writes fail (EFBIG) until the scope ends.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        const rlimit limited{bytes, previous_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

  private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST_F(DatalogTest, AWriteFailureKeepsTheLinesAlreadyWritten) {
    TransactionLog log = MakeLog(file);
    ASSERT_TRUE(log.SetLogging(true));
    LogFrame(log, {0x34, 0x00});
    {
        const FileSizeLimit limit(fs::file_size(file));
        LogFrame(log, {0x34, 0x13, 0xC9});
        LogFrame(log, {0x34, 0x14, 0xC9});
    }
    EXPECT_EQ(second, "DATALOG WRITE ERR");
    EXPECT_FALSE(checked);
    EXPECT_EQ(ReadFile(file), "{0x34 0x0 }\n");
}

}  // namespace
}  // namespace qk::test
