// Every command on an emulated I2C adapter (/dev/i2c-N through real system calls) with the virtual
// board behind it: exit codes, the two streams, and the frames the board saw on the wire.
#include "board/VirtualBoard.h"
#include "tests/cli/CliRun.h"
#include "tests/support/EmulatedI2cDev.h"

namespace qk::test {
namespace {

using board::Chip;
using board::Fault;
using Strings = std::vector<std::string>;

struct AdapterCase {
    const char* name;
    Chip chip;
    Fault fault;
    uint8_t boardAddress;
    Strings arguments;  // after --i2c-dev; "FILE" stands for the case's file
    const char* file;   // written to a scratch file when not null
    int code;
    const char* out;
    const char* errPart;  // found in the error stream ("" for an empty one)
    Strings frames;       // on the wire
};

// One case a few lines, as a table reads best.
// clang-format off
const AdapterCase kCases[] = {
    {"DetectQK310", Chip::QK310, Fault::None, 0x34, {"detect"}, nullptr,
     0, "QK310 at 0x1a\n", "", {"34 00", "34 00", "35 27"}},
    {"DetectFindsTheSecondAddress", Chip::QK320, Fault::None, 0x36, {"detect"}, nullptr,
     0, "QK320 at 0x1b\n", "", {"34", "36 00", "36 00", "37 1F"}},
    {"DetectNamedQK330", Chip::QK330, Fault::None, 0x34, {"--chip", "qk330", "detect"}, nullptr,
     0, "QK330 at 0x1a\n", "", {"34 00", "34 00", "35 01"}},
    {"DetectRefusesAWrongName", Chip::QK310, Fault::None, 0x34, {"--chip", "qk340", "detect"}, nullptr,
     1, "", "the chip at 0x1a reads as a QK310, not a QK340", {"34 00", "34 00", "35 27"}},
    {"DetectUnknownId", Chip::Unknown, Fault::None, 0x34, {"detect"}, nullptr,
     1, "", "gives an ID no QK3xx gives (0x3e): name it with --chip", {"34 00", "34 00", "35 3F"}},
    {"NothingAnswers", Chip::QK310, Fault::NoDevice, 0x34, {"detect"}, nullptr,
     1, "", "no chip answers at 0x1a or 0x1b", {"34", "36"}},
    {"OnlyTheAddressAsked", Chip::QK310, Fault::None, 0x34, {"--address", "0x1b", "get", "3"}, nullptr,
     1, "", "no chip answers at 0x1b", {"36"}},
    {"ClockHeldLow", Chip::QK310, Fault::SclStuckLow, 0x34, {"detect"}, nullptr,
     3, "", "Wait Error: the clock line (SCL) is held low", {}},
    {"GetCount", Chip::QK330, Fault::None, 0x34, {"get", "03h", "2"}, nullptr,
     0, "0x13 0xa6\n", "", {"34 00", "34 03", "35 13", "34 04", "35 A6"}},
    {"GetBeyondTheLastRegister", Chip::QK310, Fault::None, 0x34, {"get", "0xff", "2"}, nullptr,
     2, "", "the registers from 0xff end at 0xff", {}},
    {"SetVerified", Chip::QK330, Fault::None, 0x34, {"set", "0x26", "0x02", "0x10", "--verify"}, nullptr,
     0, "", "", {"34 00", "34 00", "35 01", "34 26 02 10", "34 26", "35 02", "34 27", "35 10"}},
    {"SetVerifyFindsADifference", Chip::QK310, Fault::None, 0x34, {"set", "0", "0x55", "--verify"}, nullptr,
     1, "", "register 0x00 reads 0x27 after writing 0x55",
     {"34 00", "34 00", "35 27", "34 00 55", "34 00", "35 27"}},
    {"SetVerifyWriteOnly", Chip::QK310, Fault::None, 0x34, {"set", "0x13", "0x55", "--verify"}, nullptr,
     0, "", "register 0x13 (Ch1 Volume) is write-only on the QK310: it cannot be verified",
     {"34 00", "34 00", "35 27", "34 13 55"}},
    {"SetRefusesAValue", Chip::QK310, Fault::None, 0x34, {"set", "3", "0x100"}, nullptr,
     2, "", "'0x100' is over 0xff", {}},
    {"Script", Chip::QK330, Fault::None, 0x34, {"run", "FILE"},
     "# volume\nw 0x26 0x02 0x10\nr 0x26 0x02\nr 0x27 0x10 0xf0 # low nibble free\n"
     "wait 0x27 0xff 0x10 50\nd 1\n",
     0, "26: 02\n27: 10\n", "",
     {"34 00", "34 26 02 10", "34 26", "35 02", "34 27", "35 10", "34 27", "35 10"}},
    {"ScriptExpectationFails", Chip::QK330, Fault::None, 0x34, {"run", "FILE"},
     "r 0x03\nr 0x04 0x00\nw 0x03 0x00\n",
     1, "03: 13\n04: a6\n", "s.txt:2: r 0x04 0x00: read 0xa6, expected 0x00 under the mask 0xff",
     {"34 00", "34 03", "35 13", "34 04", "35 A6"}},
    {"ScriptWaitTimesOut", Chip::QK330, Fault::None, 0x34, {"run", "FILE"},
     "wait 0x03 0xff 0x12 0\nw 0x03 0x00\n",
     1, "", "s.txt:1: wait 0x03 0xff 0x12 0: still 0x13 after 0 ms", {"34 00", "34 03", "35 13"}},
    {"ScriptErrorSendsNothing", Chip::QK330, Fault::None, 0x34, {"run", "FILE"},
     "w 0x03 0x10\n\n# next\nr 0x3 0x10 0x1\n",
     2, "", "s.txt:4: r 0x3 0x10 0x1: the value has bits outside the mask: it can never match "
            "(nothing was sent)", {}},
    {"ScriptAfterAByteOrderMark", Chip::QK330, Fault::None, 0x34, {"run", "FILE"},
     "\xEF\xBB\xBFr 0x03\n",
     0, "03: 13\n", "", {"34 00", "34 03", "35 13"}},
    {"ScriptTestRegisterGuarded", Chip::QK330, Fault::None, 0x34, {"--chip", "qk330", "run", "FILE"},
     "w 0x03 0x13\nw 0x7f 0x01\n",
     2, "", "s.txt:2: w 0x7f 0x01: register 0x7f (Test 1) is a test register of the QK330: "
            "writing it needs --test-registers (nothing was sent)", {"34 00"}},
    {"ScriptTestRegisterAllowed", Chip::QK330, Fault::None, 0x34,
     {"--chip", "qk330", "run", "FILE", "--test-registers"},
     "w 0x7f 0x01\n", 0, "", "", {"34 00", "34 7F 01"}},
    {"ReplayTestRegisterGuarded", Chip::QK330, Fault::None, 0x34, {"replay", "FILE"},
     "{0x34 0x26 0x2 0x10 }\n{0x34 0x79 0x0 }\n",
     2, "", "s.txt:2: {0x34 0x79 0x0 }: register 0x79 (PSC TEST 1) is a test register of the "
            "QK330: writing it needs --test-registers (nothing was sent)", {"34 00", "34 00", "35 01"}},
    {"Replay", Chip::QK330, Fault::None, 0x34, {"replay", "FILE"},
     "{0x34 0x26 0x2 0x10 }\n{0x34 0x26 }\n{0x34 0x13 0x55 }\n",
     0, "26: 02\n", "Replayed 3 frames of", {"34 00", "34 26 02 10", "34 26", "35 02", "34 13 55"}},
    {"ReplayRefusesALine", Chip::QK330, Fault::None, 0x34, {"replay", "FILE"},
     "{0x34 0x26 0x2 0x10 }\n{0x34 0x26 0x2 0x10\n",
     2, "", "s.txt:2: {0x34 0x26 0x2 0x10: not a frame", {}},
    {"ReplayRefusesAnotherAddress", Chip::QK330, Fault::None, 0x34, {"replay", "FILE"},
     "{0x34 0x26 0x2 }\n{0x36 0x26 0x2 }\n",
     2, "", "s.txt:2: {0x36 0x26 0x2 }: a frame to 0x1b, not to the chip at 0x1a (nothing was sent; "
            "--any-address sends it)", {"34 00"}},
    {"ReplayAnyAddress", Chip::QK330, Fault::None, 0x34, {"replay", "--any-address", "FILE"},
     "{0x34 0x26 0x2 }\n{0x36 0x26 0x2 }\n",
     3, "", "ACK Error: the chip at 0x1b did not acknowledge", {"34 00", "34 26 02", "36"}},
};
// clang-format on

void PrintTo(const AdapterCase& c, std::ostream* out) {
    *out << c.name;
}

class Adapter : public ::testing::TestWithParam<AdapterCase> {};

TEST_P(Adapter, RunsTheCommand) {
    const AdapterCase& c = GetParam();
    board::VirtualBoard board(c.chip, c.boardAddress);
    board.SetFault(c.fault);
    EmulatedI2cDev adapter(board);
    Strings arguments{"--i2c-dev", EmulatedI2cDev::Path};
    for (const std::string& argument : c.arguments)
        arguments.push_back(argument == "FILE" ? ScratchFile("s.txt", c.file) : argument);
    ExpectResult(Cli(arguments), c.code, c.out, c.errPart);
    EXPECT_EQ(board.FrameTexts(), c.frames);
}

INSTANTIATE_TEST_SUITE_P(Commands, Adapter, ::testing::ValuesIn(kCases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(AdapterUnavailable, ExitsFourWithTheAdaptersReasonAndRemedy) {
    board::VirtualBoard board;
    const std::pair<EmulatedI2cDev::Node, const char*> cases[] = {
        {EmulatedI2cDev::Node::Missing, "Load the I2C device driver (modprobe i2c-dev, as root)"},
        {EmulatedI2cDev::Node::Forbidden, "usermod -aG i2c $USER"},
        {EmulatedI2cDev::Node::SmbusOnly, "offers SMBus commands only"},
    };
    for (const auto& [node, remedy] : cases) {
        EmulatedI2cDev adapter(board, node);
        const CliResult result = Cli({"--i2c-dev", EmulatedI2cDev::Path, "set", "3", "1"});
        EXPECT_EQ(result.code, 4);
        EXPECT_NE(result.err.find(remedy), std::string::npos) << result.err;
    }
    EXPECT_TRUE(board.FrameTexts().empty());
}

TEST(AdapterFailing, ExitsThreeWithTheSystemsReason) {
    board::VirtualBoard board;
    EmulatedI2cDev adapter(board, EmulatedI2cDev::Node::Failing);
    const CliResult result = Cli({"--i2c-dev", EmulatedI2cDev::Path, "get", "3"});
    EXPECT_EQ(result.code, 3);
    EXPECT_EQ(result.err,
              std::string("qk3xx-cli: ") + EmulatedI2cDev::Path + ": Input/output error\n");
}

}  // namespace
}  // namespace qk::test
