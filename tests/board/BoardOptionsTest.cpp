#include "board/BoardOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/BusTestSupport.h"

namespace qk::board {
namespace {

using Args = std::vector<std::string>;
using Outcome = ParsedOptions::Outcome;

TEST(BoardOptions, DefaultIsAQK310At0x1AWithoutFault) {
    const ParsedOptions parsed = ParseBoardOptions({});
    ASSERT_EQ(parsed.outcome, Outcome::Run);
    EXPECT_EQ(parsed.options.chip, Chip::QK310);
    EXPECT_FALSE(parsed.options.noDevice);
    EXPECT_EQ(parsed.options.writeAddress, 0x34);
    EXPECT_EQ(parsed.options.fault, Fault::None);
}

struct GoodCase {
    const char* name;
    Args args;
    Chip chip;
    bool noDevice;
    uint8_t writeAddress;
    Fault fault;
    int stretchPolls;
};

class GoodCommandLine : public ::testing::TestWithParam<GoodCase> {};

TEST_P(GoodCommandLine, ChoosesTheBoard) {
    const GoodCase& c = GetParam();
    const ParsedOptions parsed = ParseBoardOptions(c.args);
    ASSERT_EQ(parsed.outcome, Outcome::Run) << parsed.error;
    EXPECT_EQ(parsed.options.chip, c.chip);
    EXPECT_EQ(parsed.options.noDevice, c.noDevice);
    EXPECT_EQ(parsed.options.writeAddress, c.writeAddress);
    EXPECT_EQ(parsed.options.fault, c.fault);
    EXPECT_EQ(parsed.options.stretchPolls, c.stretchPolls);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GoodCommandLine,
    ::testing::Values(
        GoodCase{"Qk320", {"--chip", "qk320"}, Chip::QK320, false, 0x34, Fault::None, 0},
        GoodCase{"Qk350", {"--chip=qk350"}, Chip::QK350, false, 0x34, Fault::None, 0},
        GoodCase{"Qk330", {"--chip", "QK330"}, Chip::QK330, false, 0x34, Fault::None, 0},
        GoodCase{"Unknown", {"--chip", "unknown"}, Chip::Unknown, false, 0x34, Fault::None, 0},
        GoodCase{"NoDevice", {"--chip", "none"}, Chip::QK310, true, 0x34, Fault::None, 0},
        GoodCase{"Address1B", {"--address", "0x1B"}, Chip::QK310, false, 0x36, Fault::None, 0},
        GoodCase{"Address1a", {"--address=0x1a"}, Chip::QK310, false, 0x34, Fault::None, 0},
        GoodCase{
            "SclStuck", {"--fault", "scl-stuck"}, Chip::QK310, false, 0x34, Fault::SclStuckLow, 0},
        GoodCase{
            "SdaStuck", {"--fault", "sda-stuck"}, Chip::QK310, false, 0x34, Fault::SdaStuckLow, 0},
        GoodCase{
            "DataNack", {"--fault", "data-nack"}, Chip::QK310, false, 0x34, Fault::DataNotAcked, 0},
        GoodCase{"Stretch",
                 {"--fault", "stretch:25"},
                 Chip::QK310,
                 false,
                 0x34,
                 Fault::ClockStretch,
                 25},
        GoodCase{"NoneWithNoFault",
                 {"--chip", "none", "--fault", "none"},
                 Chip::QK310,
                 true,
                 0x34,
                 Fault::None,
                 0},
        GoodCase{"QtOptionsLeftToQt",
                 {"-style", "fusion", "--chip", "qk320", "-reverse"},
                 Chip::QK320,
                 false,
                 0x34,
                 Fault::None,
                 0},
        GoodCase{"AddressByTheNumberRule",
                 {"--chip", "qk310", "--address", "1Bh"},
                 Chip::QK310,
                 false,
                 0x36,
                 Fault::None,
                 0}),
    [](const auto& test) { return test.param.name; });

struct BadCase {
    const char* name;
    Args args;
    const char* error;
};

class BadCommandLine : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadCommandLine, IsRefusedWithAClearMessage) {
    const ParsedOptions parsed = ParseBoardOptions(GetParam().args);
    EXPECT_EQ(parsed.outcome, Outcome::Error);
    EXPECT_EQ(parsed.error, GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadCommandLine,
    ::testing::Values(
        BadCase{"UnknownOption", {"--speed", "3"}, "unknown option '--speed'"},
        BadCase{"PlainWord", {"qk310"}, "unknown option 'qk310'"},
        BadCase{"MissingValue", {"--chip"}, "--chip needs a value"},
        BadCase{"OptionForValue", {"--chip", "--fault", "none"}, "--chip needs a value"},
        BadCase{"VersionWithValue", {"--version=1"}, "--version takes no value"},
        BadCase{"BadChip",
                {"--chip", "qk999"},
                "--chip: 'qk999' is not a chip: choose qk310, qk320, qk350, qk330, unknown or "
                "none"},
        BadCase{"BadAddress",
                {"--address", "0x34"},
                "--address: '0x34' is not an address: choose 0x1A or 0x1B"},
        BadCase{"BadFault",
                {"--fault=hot"},
                "--fault: 'hot' is not a fault: choose none, scl-stuck, sda-stuck, data-nack, "
                "stretch:N or stuck-bit:REG:BIT"},
        BadCase{"StuckBitEight",
                {"--fault", "stuck-bit:7ch:8"},
                "--fault: '8': the BIT of "
                "stuck-bit:REG:BIT is 0 to 7"},
        BadCase{"StuckBitNoRegister",
                {"--fault", "stuck-bit:x:1"},
                "--fault: 'x' is not a register: write it as 0x1f or 1fh"},
        BadCase{"StuckBitWithoutBit",
                {"--fault", "stuck-bit:0x7c"},
                "--fault: 'stuck-bit:0x7c': write stuck-bit:REG:BIT, REG a register (0x26 or 26h), "
                "BIT 0 to 7"},
        BadCase{"GivenTwice",
                {"--chip", "qk320", "--chip", "qk310"},
                "--chip is given twice: give it once"},
        BadCase{"NothingAfterTheOptions", {"--", "qk310"}, "unexpected argument 'qk310'"},
        BadCase{"StretchWithoutNumber",
                {"--fault", "stretch:"},
                "--fault: 'stretch:': the N of stretch:N must be a whole number from 1 to "
                "2147483647"},
        BadCase{"StretchZero",
                {"--fault", "stretch:0"},
                "--fault: 'stretch:0': the N of stretch:N must be a whole number from 1 to "
                "2147483647"},
        BadCase{"StretchNotANumber",
                {"--fault", "stretch:5x"},
                "--fault: 'stretch:5x': the N of stretch:N must be a whole number from 1 to "
                "2147483647"},
        BadCase{"StretchTooLarge",
                {"--fault", "stretch:99999999999"},
                "--fault: 'stretch:99999999999': the N of stretch:N must be a whole number from "
                "1 to 2147483647"},
        BadCase{"NoDeviceWithFault",
                {"--chip", "none", "--fault", "sda-stuck"},
                "--chip none (no device on the bus) cannot be combined with a --fault"},
        BadCase{"HelpWithValue", {"--help=all"}, "--help takes no value"}),
    [](const auto& test) { return test.param.name; });

TEST(BoardOptions, HelpListsTheChoicesAndDefaults) {
    EXPECT_EQ(ParseBoardOptions({"--help"}).outcome, Outcome::Help);
    EXPECT_EQ(ParseBoardOptions({"--chip", "qk320", "--help"}).outcome, Outcome::Help);
    EXPECT_EQ(ParseBoardOptions({"--version"}).outcome, Outcome::Version);
    EXPECT_EQ(ParseBoardOptions({"-V"}).outcome, Outcome::Version);
    EXPECT_EQ(ParseBoardOptions({"--chip", "qk320", "--"}).outcome, Outcome::Run);
    EXPECT_EQ(ParseBoardOptions({"--bogus", "--help"}).outcome, Outcome::Error);
    const std::string help = BoardOptionsHelp("qk3xx-virtual");
    for (const char* word : {"Usage: qk3xx-virtual",
                             "--chip",
                             "qk310",
                             "qk320",
                             "qk350",
                             "qk330",
                             "unknown",
                             "none",
                             "--address",
                             "0x1A",
                             "0x1B",
                             "--fault",
                             "scl-stuck",
                             "sda-stuck",
                             "data-nack",
                             "stretch:N",
                             "stuck-bit:REG:BIT",
                             "--help",
                             "--version",
                             "default: qk310",
                             "default: 0x1A",
                             "default: none"})
        EXPECT_NE(help.find(word), std::string::npos) << word;
}

struct BoardCase {
    const char* name;
    Args args;
    std::vector<std::string> frames;  // what the board decodes of a register write to 0x34
    int ackErrors;
};

class BoardFromOptions : public ::testing::TestWithParam<BoardCase> {};

TEST_P(BoardFromOptions, PlaysTheChosenBoard) {
    const ParsedOptions parsed = ParseBoardOptions(GetParam().args);
    ASSERT_EQ(parsed.outcome, Outcome::Run);
    VirtualBoard board = MakeBoard(parsed.options);
    test::RecordingLog log;
    I2cBus bus(board, log);
    const uint8_t bytes[] = {0x13, 0xC9};
    bus.I2cWrite(0x34, bytes, 2);
    EXPECT_EQ(board.FrameTexts(), GetParam().frames);
    EXPECT_EQ(int(bus.AckError()), GetParam().ackErrors);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BoardFromOptions,
    ::testing::Values(BoardCase{"Default", {}, {"34 13 C9"}, 0},
                      BoardCase{"NoDevice", {"--chip", "none"}, {"34"}, 1},
                      BoardCase{"OtherAddress", {"--address", "0x1B"}, {"34"}, 1},
                      BoardCase{"DataNack", {"--fault", "data-nack"}, {"34 13 C9"}, 1},
                      BoardCase{"Stretch", {"--fault", "stretch:3"}, {"34 13 C9"}, 0}),
    [](const auto& test) { return test.param.name; });

TEST(BoardOptions, StuckBitReadsZeroWhateverIsWritten) {
    const ParsedOptions parsed = ParseBoardOptions({"--fault", "stuck-bit:0x13:3"});
    ASSERT_EQ(parsed.outcome, Outcome::Run) << parsed.error;
    VirtualBoard board = MakeBoard(parsed.options);
    test::RecordingLog log;
    I2cBus bus(board, log);
    const uint8_t bytes[] = {0x13, 0xC9};
    bus.I2cWrite(0x34, bytes, 2);
    uint8_t read = 0;
    bus.I2cRead(0x34, 0x13, &read, 1);
    EXPECT_EQ(read, 0xC1);
    EXPECT_EQ(board.FrameTexts(), (std::vector<std::string>{"34 13 C9", "34 13", "35 C1"}));
}

}  // namespace
}  // namespace qk::board
