// Commands on an FTDI bridge's MPSSE engine, through libftdi's interface emulated in this process
// with the virtual board behind the engine's pins: the bridge is found and opened, its wiring
// checked, and every frame reaches the board; each refusal says what to do.
#include <sstream>

#include "board/VirtualBoard.h"
#include "tests/cli/CliRun.h"
#include "tests/support/EmulatedFtdi.h"

namespace qk::test {
namespace {

using board::Chip;
using board::Fault;
using Strings = std::vector<std::string>;
using Device = EmulatedFtdi::Device;

struct FtdiCase {
    const char* name;
    FtdiNode bridges;
    bool sdaInTied;
    Chip chip;
    Fault fault;
    Strings arguments;
    int code;
    const char* out;
    const char* errPart;  // found in the error stream ("" for an empty one)
    Strings frames;       // on the wire
};

// clang-format off
const FtdiCase kCases[] = {
    {"Detect", FtdiNode::FT232H, true, Chip::QK310, Fault::None, {"--ftdi", "detect"},
     0, "QK310 at 0x1a\n", "", {"34 00", "34 00", "35 27"}},
    {"DetectBySerial", FtdiNode::Two, true, Chip::QK330, Fault::None,
     {"--ftdi", "FT1QK3XX", "--chip", "qk330", "detect"},
     0, "QK330 at 0x1a\n", "", {"34 00", "34 00", "35 01"}},
    {"DetectByBusAndDevice", FtdiNode::Two, true, Chip::QK310, Fault::None, {"--ftdi=001/005", "detect"},
     0, "QK310 at 0x1a\n", "", {"34 00", "34 00", "35 27"}},
    {"GetCount", FtdiNode::FT232H, true, Chip::QK330, Fault::None, {"--ftdi", "get", "03h", "2"},
     0, "0x13 0xa6\n", "", {"34 00", "34 03", "35 13", "34 04", "35 A6"}},
    {"SetVerified", FtdiNode::FT232H, true, Chip::QK330, Fault::None,
     {"--ftdi", "set", "0x26", "0x02", "0x10", "--verify"},
     0, "", "", {"34 00", "34 00", "35 01", "34 26 02 10", "34 26", "35 02", "34 27", "35 10"}},
    {"DataNotAcknowledged", FtdiNode::FT232H, true, Chip::QK310, Fault::DataNotAcked, {"--ftdi", "set", "3", "1"},
     3, "", "ACK Error: the chip at 0x1a did not acknowledge data byte 1 of register 03h",
     {"34 00", "34 03 01"}},
    {"NothingAnswers", FtdiNode::FT232H, true, Chip::QK310, Fault::NoDevice, {"--ftdi", "detect"},
     1, "", "no chip answers at 0x1a or 0x1b", {"34", "36"}},
    {"DataLineHeldLow", FtdiNode::FT232H, true, Chip::QK310, Fault::SdaStuckLow, {"--ftdi", "detect"},
     3, "", "SDA Low: the data line is held low", {}},
    {"ClockLineHeldLow", FtdiNode::FT232H, true, Chip::QK310, Fault::SclStuckLow, {"--ftdi", "detect"},
     3, "", "SCL Low: the clock line is held low", {}},
    {"TwoBridgesNoSelector", FtdiNode::Two, true, Chip::QK310, Fault::None, {"--ftdi", "detect"},
     4, "", "Several FTDI MPSSE devices are present: choose one with --ftdi SELECTOR:\n"
            "  --ftdi FT1QK3XX\tFT232H serial FT1QK3XX 0403:6014 bus 001 device 005\n"
            "  --ftdi FT2QK3XX:A\tFT2232H serial FT2QK3XX 0403:6010 bus 001 device 006\n", {}},
    {"NoSuchSerial", FtdiNode::FT232H, true, Chip::QK310, Fault::None, {"--ftdi", "FT9", "detect"},
     4, "", "No FTDI MPSSE device matches 'FT9'. Present:\n  --ftdi FT1QK3XX\tFT232H", {}},
    {"NoBridge", FtdiNode::None, true, Chip::QK310, Fault::None, {"--ftdi", "detect"},
     4, "", "No FTDI MPSSE device found (FT232H, FT2232H, FT4232H): plug one in", {}},
    {"PermissionDenied", FtdiNode::Forbidden, true, Chip::QK310, Fault::None, {"--ftdi", "detect"},
     4, "", "could not be opened: permission denied. Install the udev rule 60-qk3xx-ftdi.rules", {}},
    {"HeldBySerialDriver", FtdiNode::HeldBySerialDriver, true, Chip::QK310, Fault::None, {"--ftdi", "detect"},
     4, "", "the kernel's serial driver ftdi_sio holds it and could not be detached", {}},
    {"ChannelWithoutEngine", FtdiNode::FT4232H, true, Chip::QK310, Fault::None, {"--ftdi", "C", "detect"},
     4, "", "The FT4232H has its MPSSE engine on channel A and B only, not on C.", {}},
    {"SdaInNotTied", FtdiNode::FT232H, false, Chip::QK310, Fault::None, {"--ftdi", "detect"},
     4, "", "SDA in (AD2) does not follow SDA out (AD1): tie AD1 and AD2 together", {}},
    {"BadSelector", FtdiNode::FT232H, true, Chip::QK310, Fault::None, {"--ftdi", "1/300", "detect"},
     2, "", "--ftdi '1/300': a bus and device are two decimal numbers", {}},
};
// clang-format on

void PrintTo(const FtdiCase& c, std::ostream* out) {
    *out << c.name;
}

class Ftdi : public ::testing::TestWithParam<FtdiCase> {};

TEST_P(Ftdi, RunsTheCommand) {
    const FtdiCase& c = GetParam();
    board::VirtualBoard board(c.chip);
    board.SetFault(c.fault);
    EmulatedFtdi bridges(FtdiDevices(c.bridges, board));
    EmulatedFtdi::SetSdaInTied(c.sdaInTied);
    ExpectResult(Cli(c.arguments), c.code, c.out, c.errPart);
    EXPECT_EQ(board.FrameTexts(), c.frames);
    EXPECT_EQ(EmulatedFtdi::Failures(), Strings{});
}

INSTANTIATE_TEST_SUITE_P(Commands, Ftdi, ::testing::ValuesIn(kCases),
                         [](const auto& test) { return std::string(test.param.name); });

// Each frame is one USB round trip: the engine's sync and set-up, the line check, one per frame on
// the wire, and the lines released at the end.
TEST(FtdiRoundTrips, OnePerFrame) {
    board::VirtualBoard board(Chip::QK330);
    EmulatedFtdi bridge({{.pins = &board}});
    ASSERT_EQ(Cli({"--ftdi", "--chip", "qk330", "get", "0x26", "4"}).code, 0);
    const long setUp = 2, lineCheck = 1, release = 1;
    EXPECT_EQ(EmulatedFtdi::RoundTrips(),
              setUp + lineCheck + static_cast<long>(board.FrameTexts().size()) + release);
}

// Unplugged in the middle of a frame: exit 4, told once, the snapshot not written, no hang.
TEST(FtdiUnplugged, ExitsFourAndWritesNothing) {
    board::VirtualBoard board(Chip::QK330);
    EmulatedFtdi bridge({{.pins = &board}});
    EmulatedFtdi::VanishAfterBytes(2000);
    const std::string file = ::testing::TempDir() + "unplugged.txt";
    std::remove(file.c_str());
    const CliResult result = Cli({"--ftdi", "--chip", "qk330", "dump", file});
    EXPECT_EQ(result.code, 4);
    const std::string told =
        "qk3xx-cli: FT232H serial FT1QK3XX: the bridge stopped answering (usb bulk write "
        "failed): it was unplugged or lost its supply; plug it in again\n";
    EXPECT_TRUE(result.err.starts_with(told)) << result.err;
    EXPECT_EQ(result.err.find(told, 1), std::string::npos) << "told once";
    EXPECT_FALSE(std::ifstream(file).good());
}

TEST(FtdiListing, GivesEachChannelWithItsSelector) {
    board::VirtualBoard board;
    EmulatedFtdi bridges(FtdiDevices(FtdiNode::Two, board));
    const CliResult result = Cli({"--list-adapters"});
    EXPECT_EQ(result.code, 0);
    EXPECT_NE(result.out.find(
                  "ftdi\tFT232H serial FT1QK3XX 0403:6014 bus 001 device 005\t--ftdi FT1QK3XX\n"
                  "ftdi\tFT2232H serial FT2QK3XX 0403:6010 bus 001 device 006 channel A\t--ftdi "
                  "FT2QK3XX:A\n"
                  "ftdi\tFT2232H serial FT2QK3XX 0403:6010 bus 001 device 006 channel B\t--ftdi "
                  "FT2QK3XX:B\n"),
              std::string::npos)
        << result.out;
}

}  // namespace
}  // namespace qk::test

namespace qk::test {
namespace {

// A file's lines but those that tell the time.
std::string Timeless(const std::string& path) {
    std::istringstream in(FileText(path));
    std::string kept, line;
    while (std::getline(in, line))
        if (!line.starts_with("# taken:")) kept += line + "\n";
    return kept;
}

struct CommandRun {
    CliResult result;
    std::string log, snapshot;
};

// The commands give the same answers, files and data log on the bridge as on the parallel
// port's master with the board on its pins (the virtual carrier).
TEST(FtdiAsOnThePort, DetectDumpRestore) {
    const std::string log = ::testing::TempDir() + "ftdi-log.txt";
    const std::string snapshot = ::testing::TempDir() + "ftdi-snapshot.txt";
    const std::string changed = ScratchFile("ftdi-changed.txt",
                                            "# QK3xx snapshot\n# chip: QK330\n"
                                            "03: 12\n26: 03\n27: 37\n11: 01\n");
    const Strings commands[] = {{"detect"}, {"dump", snapshot}, {"restore", changed}};
    for (const Strings& command : commands) {
        auto run = [&](Strings bus) {
            bus.insert(bus.end(), {"--chip", "qk330", "--log", log});
            bus.insert(bus.end(), command.begin(), command.end());
            std::remove(snapshot.c_str());
            CommandRun seen{.result = Cli(bus), .log = FileText(log), .snapshot = ""};
            seen.snapshot = Timeless(snapshot);
            return seen;
        };
        const CommandRun port = run({"--virtual", "qk330"});
        board::VirtualBoard board(Chip::QK330);
        EmulatedFtdi bridge({{.pins = &board}});
        const CommandRun ftdi = run({"--ftdi"});
        const std::string where = command.front();
        EXPECT_EQ(ftdi.result.code, port.result.code) << where;
        EXPECT_EQ(ftdi.result.out, port.result.out) << where;
        EXPECT_EQ(ftdi.result.err, port.result.err) << where;
        EXPECT_EQ(ftdi.log, port.log) << where;
        EXPECT_EQ(ftdi.snapshot, port.snapshot) << where;
        if (where == "restore") {
            EXPECT_NE(ftdi.result.err.find("Restored 4 registers, verified"), std::string::npos);
        }
        EXPECT_FALSE(ftdi.log.empty()) << where;
    }
}

}  // namespace
}  // namespace qk::test

namespace qk::test {
namespace {

// The engine's clock keeps every phase of the mode asked for at its minimum or longer; a bit is
// three half-periods and one command (66.2 kHz in standard mode, 250 kHz in fast mode).
TEST(FtdiClock, StandardAndFastModeKeepTheirPhases) {
    using board::WirePhases;
    struct Mode {
        Strings options;
        double lowUs, highUs, mostKHz, expectedKHz;
    };
    const Mode modes[] = {{{"--ftdi"}, 4.7, 4.0, 100, 66.2},
                          {{"--ftdi", "--ftdi-fast"}, 1.3, 0.6, 400, 250}};
    for (const Mode& mode : modes) {
        board::VirtualBoard board(Chip::QK330);
        EmulatedFtdi bridge({{.pins = &board}});
        Strings arguments = mode.options;
        arguments.insert(arguments.end(), {"--chip", "qk330", "get", "0x26", "2"});
        ASSERT_EQ(Cli(arguments).code, 0);
        const WirePhases phases = EmulatedFtdi::Phases();
        EXPECT_GE(phases.Shortest(WirePhases::Low), mode.lowUs);
        EXPECT_GE(phases.Shortest(WirePhases::High), mode.highUs);
        EXPECT_LE(phases.MedianKHz(), mode.mostKHz);
        EXPECT_NEAR(phases.MedianKHz(), mode.expectedKHz, 1.0);
        if (mode.options.size() == 1) {
            for (int phase = 0; phase < WirePhases::Count; ++phase)
                EXPECT_EQ(phases.BelowMinimum(static_cast<WirePhases::Phase>(phase)), 0)
                    << WirePhases::Limits[phase].name;
        }
    }
}

}  // namespace
}  // namespace qk::test
