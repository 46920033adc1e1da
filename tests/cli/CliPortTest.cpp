// qk3xx-cli on the parallel port through the emulated ppdev driver (real system calls), and on
// its own virtual board: the clock is calibrated and the lines checked before the first frame,
// refusals give the port's reason and remedy, and every exit code is reached.
#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "board/VirtualBoard.h"
#include "core/chips/ProgramVersion.h"
#include "tests/cli/CliRun.h"
#include "tests/support/EmulatedPpdev.h"

namespace qk::test {
namespace {

using Strings = std::vector<std::string>;
using Node = EmulatedPpdev::Node;

TEST(Port, CalibratesChecksTheLinesAndWritesVerified) {
    board::VirtualBoard board(board::Chip::QK330);
    EmulatedPpdev port(board);
    const CliResult result =
        Cli({"--port", EmulatedPpdev::Path, "--chip", "qk330", "set", "0x13", "0x55", "--verify"});
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(board.FrameTexts(), (Strings{"34 00", "34 13 55", "34 13", "35 55"}));
    EXPECT_EQ(board.Register(0x13), 0x55);
}

// Every command that reaches the chip, one after the other on the same board, through the port.
TEST(Port, EveryCommandThroughThePort) {
    board::VirtualBoard board(board::Chip::QK330);
    EmulatedPpdev port(board);
    const auto saved = board.ListRegisters();
    const std::string file = ScratchFile("port-snapshot.txt", "");
    const std::string script = ScratchFile("port-script.txt", "w 0x0d 0x05\nr 0x0d 0x05\n");
    const std::string log = ScratchFile("port-log.txt", "{0x34 0x0d 0x6 }\n{0x34 0x0d }\n");
    struct Step {
        Strings arguments;
        int code;
        const char* out;
    };
    const Step steps[] = {
        {{"detect"}, 0, "QK330 at 0x1a\n"},
        {{"get", "0x03", "2"}, 0, "0x13 0xa6\n"},
        {{"dump", file}, 0, ""},
        {{"set", "0x26", "0x03", "0x37"}, 0, ""},
        {{"run", script}, 0, "0d: 05\n"},
        {{"diff", file}, 1, nullptr},
        {{"restore", file}, 0, ""},
        {{"diff", file}, 0, ""},
        {{"replay", log}, 0, "0d: 06\n"},
    };
    for (const Step& step : steps) {
        Strings arguments{"--port", EmulatedPpdev::Path, "--chip", "qk330", "--quiet"};
        arguments.insert(arguments.end(), step.arguments.begin(), step.arguments.end());
        const CliResult result = Cli(arguments);
        EXPECT_EQ(result.code, step.code) << step.arguments[0] << ": " << result.err;
        if (step.out) {
            EXPECT_EQ(result.out, step.out) << step.arguments[0];
        }
    }
    board.SetRegister(0x0D, 0x06);  // as the replay left it: every other register as it was
    EXPECT_EQ(board.ListRegisters(), saved);
}

TEST(Port, RefusalsExitFourWithTheReasonAndRemedy) {
    board::VirtualBoard board;
    const std::pair<Node, const char*> cases[] = {
        {Node::Missing, "Load the parallel-port driver (modprobe ppdev, as root)"},
        {Node::Forbidden, "usermod -aG lp $USER"},
        {Node::NoPort, "could not be claimed"},
    };
    for (const auto& [node, remedy] : cases) {
        EmulatedPpdev port(board, node);
        const CliResult result = Cli({"detect"});  // the default port
        EXPECT_EQ(result.code, 4);
        EXPECT_NE(result.err.find(remedy), std::string::npos) << result.err;
    }
    EXPECT_TRUE(board.FrameTexts().empty());
}

TEST(Port, HeldByAnotherProgramExitsFour) {
    board::VirtualBoard board;
    EmulatedPpdev port(board);
    const int holder = open(EmulatedPpdev::Path, O_RDWR);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(ioctl(holder, PPCLAIM), 0);
    const CliResult result = Cli({"detect"});
    ioctl(holder, PPRELEASE);
    close(holder);
    EXPECT_EQ(result.code, 4);
    EXPECT_NE(result.err.find("Another program holds the port"), std::string::npos) << result.err;
    EXPECT_TRUE(board.FrameTexts().empty());
}

struct VirtualCase {
    Strings arguments;
    int code;
    const char* out;
    const char* errPart;
};

TEST(Virtual, ExitCodesAndMessages) {
    const VirtualCase cases[] = {
        {{"--virtual", "qk330", "get", "0x21", "2"}, 0, "0x4c 0x98\n", ""},
        // The ID cannot tell the family: both are named.
        {{"--virtual", "qk330", "detect"},
         0,
         "QK350 or QK330/QK340 at 0x1a\n",
         "QK350 or QK330/QK340: the chip's ID cannot tell them apart; give --chip."},
        {{"--quiet", "--virtual", "qk330", "detect"}, 0, "QK350 or QK330/QK340 at 0x1a\n", ""},
        {{"--virtual", "qk330", "--chip", "QK330", "detect"}, 0, "QK330 at 0x1a\n", ""},
        {{"--virtual", "qk330", "--chip", "qk330", "--chip", "qk340", "detect"},
         2,
         "",
         "qk3xx-cli: --chip is given twice: give it once\n"},
        {{"--virtual", "qk310", "--address", "0x1a", "--address=0x1b", "detect"},
         2,
         "",
         "--address is given twice"},
        {{"--virtual", "qk310", "--", "get", "--x"}, 2, "", "qk3xx-cli: '--x' is not a register"},
        {{"-h"}, 0, nullptr, ""},
        {{"-V"}, 0, "", ""},
        {{"--virtual", "qk330", "set", "0x7f", "0x01"},
         2,
         "",
         "qk3xx-cli: register 0x7f (Test 1) is a test register of the QK330: writing it needs "
         "--test-registers (nothing was written)\n"},
        {{"--virtual", "qk330", "set", "0x7e", "0", "0x01", "--test-registers"}, 0, "", ""},
        {{"--virtual", "qk310", "--address", "0x1b", "detect"}, 0, "QK310 at 0x1b\n", ""},
        {{"--virtual", "qk310:sda-stuck", "detect"}, 3, "", "SDA Low: the data line is held low"},
        {{"--virtual", "qk310:scl-stuck", "detect"}, 3, "", "SCL Low: the clock line is held low"},
        {{"--virtual", "qk310:sda-stuck", "get", "3"}, 3, "", "SDA Low: the data line is held low"},
        {{"--virtual", "none", "detect"}, 1, "", "no chip answers at 0x1a or 0x1b"},
        // The chip acknowledges its address, and no byte after it.
        {{"--virtual", "qk330:data-nack", "set", "0x03", "0x13"},
         3,
         "",
         "qk3xx-cli: ACK Error: the chip at 0x1a did not acknowledge data byte 1 of register "
         "03h\n"},
        {{"--virtual", "qk999", "detect"}, 2, "", "--virtual qk999: 'qk999' is not a chip"},
        {{"--virtual", "qk310:melted", "detect"}, 2, "", "'melted' is not a fault"},
        {{"--virtual", "qk310", "--i2c-dev", "/dev/i2c-1", "detect"},
         2,
         "",
         "choose one bus: --port, --i2c-dev, --ftdi or --virtual"},
        {{"--address", "0x1c", "detect"},
         2,
         "",
         "--address 0x1c: the chip answers at 0x1a or 0x1b"},
        {{"--chip", "qk300", "detect"}, 2, "", "choose qk310, qk320, qk350, qk330 or qk340"},
        {{"--bogus", "detect"}, 2, "", "unknown option '--bogus'\nUsage: qk3xx-cli"},
        {{"--virtual", "qk310"}, 2, "", "which command?"},
        {{"--virtual", "qk310", "frobnicate"}, 2, "", "'frobnicate' is not a command"},
        {{"--virtual", "qk310", "get"}, 2, "", "get needs more arguments\nUsage: qk3xx-cli"},
        {{"--virtual", "qk310", "detect", "--verify"}, 2, "", "detect takes no option --verify"},
        {{"--virtual", "qk310", "run", "/nonexistent/s.txt"},
         2,
         "",
         "/nonexistent/s.txt: No such file or directory"},
        {{"--virtual", "qk310", "--log", "/nonexistent/DataLog.txt", "detect"},
         2,
         "",
         "the log /nonexistent/DataLog.txt: No such file or directory"},
        {{"--virtual", "qk310", "--state", ScratchFile("bad-state.txt", "03: 7e\nff: 00\n"),
          "detect"},
         2,
         "",
         "bad-state.txt:2: ff: 00: the board's chip has no such register"},
        {{"--state", "board.txt", "detect"},
         2,
         "",
         "--state keeps a virtual board's registers: use it with --virtual"},
        {{"--version"}, 0, "", ""},
    };
    for (const VirtualCase& c : cases) {
        const CliResult result = Cli(c.arguments);
        const std::string line = ::testing::PrintToString(c.arguments);
        EXPECT_EQ(result.code, c.code) << line << result.err;
        if (c.arguments[0] == "--version" || c.arguments[0] == "-V")
            EXPECT_EQ(result.out, std::string("qk3xx-cli ") + kProgramVersion + "\n");
        else if (c.out)
            EXPECT_EQ(result.out, c.out) << line;
        else
            EXPECT_EQ(result.out, Cli({"--help"}).out) << line;
        if (*c.errPart == '\0')
            EXPECT_EQ(result.err, "") << line;
        else
            EXPECT_NE(result.err.find(c.errPart), std::string::npos) << line << result.err;
    }
}

TEST(Virtual, HelpForTheWholeAndEachCommand) {
    const CliResult whole = Cli({"--help"});
    EXPECT_EQ(whole.code, 0);
    for (const char* command :
         {"detect", "get", "set", "run", "replay", "dump", "diff", "restore", "export"}) {
        EXPECT_NE(whole.out.find(std::string("\n  ") + command), std::string::npos) << command;
        const CliResult one = Cli({command, "--help"});
        EXPECT_EQ(one.code, 0);
        EXPECT_EQ(one.out.rfind(std::string("Usage: qk3xx-cli [OPTIONS] ") + command, 0), 0u);
        EXPECT_EQ(Cli({"help", command}).out, one.out);
        // The common options are told once, in --help.
        EXPECT_EQ(one.out.find("--state FILE"), std::string::npos) << command;
        EXPECT_NE(one.out.find("qk3xx-cli --help tells of them"), std::string::npos) << command;
    }
    EXPECT_NE(whole.out.find("4  port or adapter unavailable"), std::string::npos);
    // The number rule, once.
    const std::string rule = "registers, values and addresses in hexadecimal, as 0x26 or 26h";
    EXPECT_NE(whole.out.find(rule), std::string::npos);
    EXPECT_EQ(whole.out.find(rule), whole.out.rfind(rule));
}

TEST(Virtual, LogsEveryFrameInTheDataLogFormat) {
    const std::string log = ::testing::TempDir() + "cli-log.txt";
    const CliResult result = Cli({"--virtual", "qk330", "--log", log, "set", "0x26", "3", "0xcf"});
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(FileText(log), "{0x34 0x26 0x3 0xcf }\n");  // the probe is not logged
}

}  // namespace
}  // namespace qk::test
