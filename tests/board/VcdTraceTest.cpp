// The trace of the board's lines, decoded by a logic-analyser program's I2C decoder, gives the
// frames the data log shows.
#include "board/VcdTrace.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/BusTestSupport.h"

namespace qk::test {
namespace {

// Runs a command and returns what it wrote to stdout; "<failed>" when it could not run.
std::string Output(const std::string& command) {
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return "<failed>";
    std::string text;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
    return pclose(pipe) == 0 ? text : "<failed>\n" + text;
}

// The decoder's annotations ("i2c-1: Address write: 1A", "i2c-1: Data write: 13", "i2c-1: Stop")
// as lines in the data log's format.
std::vector<std::string> DecodedFrames(const std::string& annotations) {
    std::vector<std::string> frames;
    std::string frame;
    std::istringstream lines(annotations);
    for (std::string line; std::getline(lines, line);) {
        const auto value = [&] { return std::stoi(line.substr(line.rfind(' ') + 1), nullptr, 16); };
        char item[8];
        if (line.find("Address write:") != std::string::npos) {
            std::snprintf(item, sizeof item, "0x%x ", value() << 1);
            frame = std::string("{") + item;
        } else if (line.find("Address read:") != std::string::npos) {
            std::snprintf(item, sizeof item, "0x%x ", (value() << 1) | 1);
            frame = std::string("{") + item;
        } else if (line.find("Data write:") != std::string::npos ||
                   line.find("Data read:") != std::string::npos) {
            std::snprintf(item, sizeof item, "0x%x ", value());
            frame += item;
        } else if (line.ends_with(": Stop") && !frame.empty()) {
            frames.push_back(frame + "}");
            frame.clear();
        }
    }
    return frames;
}

// The decoding command the README and the user guide give, for the trace at `path`.
std::string DocumentedCommand(const char* document, const std::string& path) {
    std::ifstream in(document);
    for (std::string line; std::getline(in, line);) {
        const size_t command = line.find("sigrok-cli -i trace.vcd ");
        if (command == std::string::npos) continue;
        line = line.substr(command);
        return line.replace(line.find("trace.vcd"), 9, "'" + path + "'");
    }
    return std::string("no sigrok-cli command in ") + document;
}

TEST(VcdTrace, TheDocumentsDecodeItToTheLoggedFrames) {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("qk-trace-" + std::to_string(getpid()) + ".vcd");
    BusRig rig(board::Chip::QK310);
    {
        board::VcdTrace trace;
        ASSERT_TRUE(trace.Open(path.string(), rig.board.SclLine(), rig.board.SdaLine()))
            << trace.Error();
        rig.board.SetLineObserver(&trace);
        const uint8_t volume[] = {0x13, 0xC9};
        rig.bus.I2cWrite(0x34, volume, 2);
        const uint8_t control[] = {0x02, 0x05};
        rig.bus.I2cWrite(0x34, control, 2);
        rig.board.SetLineObserver(nullptr);
    }
    const std::string command = DocumentedCommand(QK_README, path.string());
    EXPECT_EQ(DocumentedCommand(QK_USER_GUIDE, path.string()), command);
    const std::string annotations = Output(command + " 2>&1");
    std::filesystem::remove(path);
    EXPECT_EQ(DecodedFrames(annotations), rig.log.lines) << annotations;
    EXPECT_EQ(rig.log.lines.size(), 2u);
}

TEST(VcdTrace, AFileThatCannotBeCreatedIsRefusedWithTheReason) {
    board::VcdTrace trace;
    EXPECT_FALSE(trace.Open("/nonexistent-folder/trace.vcd", true, true));
    EXPECT_EQ(trace.Error(),
              "cannot write the trace '/nonexistent-folder/trace.vcd': No such file or directory");
}

}  // namespace
}  // namespace qk::test
