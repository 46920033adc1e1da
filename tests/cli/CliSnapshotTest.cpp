// dump, diff, restore and export on an emulated I2C adapter and on the virtual board: the frames
// on the wire, the files, and the exit codes; an exported init sequence fed back gives the
// snapshot's bytes.
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include "board/VirtualBoard.h"
#include "core/snapshot/SnapshotText.h"
#include "tests/cli/CliRun.h"
#include "tests/support/EmulatedI2cDev.h"

namespace qk::test {
namespace {

using Strings = std::vector<std::string>;
using Registers = std::map<uint8_t, uint8_t>;

// A QK330 on the emulated adapter, named (its ID reads like a QK350's).
class Snapshots : public ::testing::Test {
  protected:
    CliResult Run(Strings arguments) {
        arguments.insert(arguments.begin(), {"--i2c-dev", EmulatedI2cDev::Path, "--chip", "qk330"});
        return Cli(arguments);
    }
    // Register writes and reads on the wire since the last call, the probe and ID read aside.
    Strings Writes() {
        Strings writes;
        for (const board::DecodedFrame& frame : board.Frames())
            if (!frame.IsRead() && frame.bytes.size() > 1) writes.push_back(frame.Text());
        board.ClearFrames();
        return writes;
    }
    Registers Held() {
        Registers held;
        for (const auto& [sub, value] : board.ListRegisters()) held[sub] = value;
        return held;
    }

    board::VirtualBoard board{board::Chip::QK330};
    EmulatedI2cDev adapter{board};
    const std::string file = ::testing::TempDir() + "qk330-snapshot.txt";
};

TEST_F(Snapshots, DumpChangeDiffRestoreVerified) {
    ASSERT_EQ(Run({"dump", file}).code, 0);
    const Registers saved = Held();
    EXPECT_NE(FileText(file).find("\n26: 00    # Ch1 Volume (26h-27h): Mute\n27: 00\n"),
              std::string::npos);
    EXPECT_EQ(Writes(), Strings{}) << "a dump writes nothing";

    ASSERT_EQ(Run({"set", "0x26", "0x03", "0x37"}).code, 0);
    const CliResult diff = Run({"diff", file});
    EXPECT_EQ(diff.code, 1);
    EXPECT_EQ(diff.out,
              "register  name                    file   chip   default\n"
              "26h       Ch1 Volume (26h-27h)    00 00  03 37  00 00\n"
              "    Ch1 Volume (26h-27h): file Mute, chip -19.07 dB, default Mute\n");
    Writes();

    const CliResult restore = Run({"restore", file});
    EXPECT_EQ(restore.code, 0) << restore.err;
    EXPECT_NE(restore.err.find("Restored 51 registers, verified"), std::string::npos);
    const Strings writes = Writes();
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ(writes.front(), "34 11 00") << "every channel muted first";
    EXPECT_EQ(writes.back(), "34 11 3F") << "the mute register as the file has it, last";
    EXPECT_EQ(Held(), saved);
    EXPECT_EQ(Run({"diff", file}).code, 0);
}

TEST_F(Snapshots, RestoreOptionsAndRefusals) {
    ASSERT_EQ(Run({"dump", file}).code, 0);
    const std::string saved = FileText(file);
    Writes();  // the dump's frames
    struct Case {
        Strings arguments;
        std::string fileText;
        int code;
        const char* errPart;
        bool writes;
    };
    const Case cases[] = {
        {{"restore", "--no-verify", "F"}, saved, 0, "Restored 51 registers, not verified", true},
        {{"restore", "--test-registers", "F"}, saved, 0, "Restored 58 registers, verified", true},
        {{"restore", "F"}, saved + "zz: 00\n", 2, "restore.txt:68: ", false},
        {{"restore", "F"}, "", 2, "", false},
        {{"restore", "/nonexistent/s.txt"}, saved, 2, "No such file or directory", false},
        {{"restore", "--verify", "F"}, saved, 2, "restore takes no option --verify", false},
        {{"restore", "F"},
         "# chip: QK330\n03: 13\n11: 3\n",
         2,
         "restore.txt:3: value 3 is not two hex digits (or XX): 11: 3",
         false},
        {{"restore", "F"},
         FormatSnapshot(PowerOnSnapshot(ChipFamily::QK310, "")),
         2,
         "1Dh is one byte of Ch5 DC Offset (1Ch-1Dh), and the file lacks 1Ch",
         false},
        {{"restore", "F"}, "03: 13\n11: 3f\n", 0, "Restored 2 registers, verified", true},
    };
    for (const Case& c : cases) {
        const std::string path = ScratchFile("restore.txt", c.fileText);
        Strings arguments = c.arguments;
        for (std::string& argument : arguments)
            if (argument == "F") argument = path;
        const CliResult result = Run(arguments);
        const std::string line = ::testing::PrintToString(c.arguments);
        EXPECT_EQ(result.code, c.code) << line << result.err;
        EXPECT_NE(result.err.find(c.errPart), std::string::npos) << line << result.err;
        int reads = 0;
        for (const board::DecodedFrame& frame : board.Frames()) reads += frame.IsRead();
        if (c.code == 2) {
            EXPECT_TRUE(board.Frames().empty()) << line << ": the file is read before the bus";
        }
        if (c.arguments[1] == "--no-verify") {
            EXPECT_EQ(reads, 1) << "the chip's ID, and no read-back";
        }
        EXPECT_EQ(!Writes().empty(), c.writes) << line;
    }
}

// A restore on the virtual board says what the chip holds: a stuck bit is a difference with its
// bytes even in a file of one register; a file that does not name its chip needs --chip.
TEST(SnapshotsVirtual, ARestoreSaysWhatTheChipHolds) {
    const std::string file = ScratchFile("mute.txt", "");
    ASSERT_EQ(Cli({"--virtual", "qk330", "--chip", "qk330", "dump", file}).code, 0);
    struct Case {
        Strings board;
        std::string text;  // empty: the dump
        int code;
        const char* errPart;
    };
    const Case cases[] = {
        {{"qk330:stuck-bit:11h:0", "--chip", "qk330"},
         "",
         1,
         "1 register differs after restore: Soft Mute (11h): wrote 3f, read 3e (Ch1 UnMute: wrote "
         "1, read 0)"},
        {{"qk330:stuck-bit:03h:4", "--chip", "qk330"},
         "# chip: QK330\n03: 13\n",
         1,
         "1 register differs after restore: Sys Control 1 (03h): wrote 13, read 03"},
        {{"qk310"},
         "03: 7e\n",
         2,
         "the file does not name its chip: add a line \"# chip: NAME\", NAME the chip it was taken "
         "from (QK310, QK320, QK350, QK350/60, QK330 or QK340), or name it with --chip"},
    };
    for (const Case& c : cases) {
        const std::string path = c.text.empty() ? file : ScratchFile("one.txt", c.text);
        Strings arguments = {"--virtual"};
        arguments.insert(arguments.end(), c.board.begin(), c.board.end());
        arguments.insert(arguments.end(), {"restore", path});
        const CliResult result = Cli(arguments);
        EXPECT_EQ(result.code, c.code) << c.board[0] << result.err;
        EXPECT_NE(result.err.find(c.errPart), std::string::npos) << c.board[0] << result.err;
    }
}

// The status registers change by themselves: diff leaves them out unless --all.
TEST_F(Snapshots, DiffLeavesTheStatusRegistersOutUnlessAll) {
    ASSERT_EQ(Run({"dump", file}).code, 0);
    std::string text = FileText(file);
    const size_t status = text.find("\n01: 80");
    ASSERT_NE(status, std::string::npos);
    text.replace(status, 8, "\n01: 00");
    const std::string changed = ScratchFile("status.txt", text);
    const CliResult diff = Run({"diff", changed});
    EXPECT_EQ(diff.code, 0) << diff.out;
    EXPECT_NE(diff.err.find("the status registers aside (--all compares them too)"),
              std::string::npos);
    const CliResult all = Run({"diff", changed, "--all"});
    EXPECT_EQ(all.code, 1) << all.err;
    EXPECT_NE(all.out.find("\n01h       Error Status            00     80     80\n"),
              std::string::npos)
        << all.out;
    board.ClearFrames();
    const CliResult bad = Run({"diff", ScratchFile("bad.txt", text + "zz: 00\n")});
    EXPECT_EQ(bad.code, 2);
    EXPECT_TRUE(board.Frames().empty()) << "the file is read before the bus";
}

// The frames of an i2ctransfer script, replayed on a register table: "w3@0x1a 0x26 0x03 0x37"
// writes 03h into 26h and 37h into 27h.
Registers ApplyI2ctransferLines(const std::string& script, std::string& address) {
    Registers registers;
    std::istringstream lines(script);
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with("i2ctransfer ")) continue;
        std::istringstream words(line);
        std::string program, yes, bus, message;
        words >> program >> yes >> bus >> message;
        address = message.substr(message.find('@') + 1);
        const int count = std::stoi(message.substr(1));
        std::vector<int> bytes;
        for (std::string word; words >> word;) bytes.push_back(std::stoi(word, nullptr, 16));
        EXPECT_EQ(int(bytes.size()), count) << line;
        for (size_t i = 1; i < bytes.size(); ++i) registers[uint8_t(bytes[0] + i - 1)] = bytes[i];
    }
    return registers;
}

TEST(Export, I2ctransferLinesGiveTheSnapshotsBytes) {
    const std::string file = ScratchFile("export.txt", "");
    const std::string state = ScratchFile("export-board.txt", "");
    const Strings board = {"--virtual", "qk330", "--chip", "qk330", "--state", state};
    auto on = [&](Strings arguments) {
        arguments.insert(arguments.begin(), board.begin(), board.end());
        return Cli(arguments);
    };
    ASSERT_EQ(on({"set", "0x26", "0x03", "0x37"}).code, 0);
    ASSERT_EQ(on({"set", "0x11", "0x2d"}).code, 0);
    ASSERT_EQ(on({"--address", "0x1a", "dump", file}).code, 0);
    const CliResult exported = Cli({"export", file, "--format", "i2ctransfer", "--bus", "3"});
    ASSERT_EQ(exported.code, 0) << exported.err;
    EXPECT_NE(exported.out.find("\ni2ctransfer -y 3 w3@0x1a 0x26 0x03 0x37\n"), std::string::npos);
    std::string address;
    const Registers written = ApplyI2ctransferLines(exported.out, address);
    EXPECT_EQ(address, "0x1a");
    EXPECT_EQ(written.size(), 51u) << "every read-write register, none of status or test";
    std::istringstream dump(FileText(file));
    for (std::string line; std::getline(dump, line);) {
        if (line.empty() || line[0] == '#') continue;
        const uint8_t sub = uint8_t(std::stoi(line.substr(0, 2), nullptr, 16));
        if (written.contains(sub)) {
            EXPECT_EQ(written.at(sub), std::stoi(line.substr(4, 2), nullptr, 16)) << line;
        }
    }
}

TEST(Export, ARunScriptRebuildsTheChipAndCOutputHasEveryPair) {
    const std::string file = ScratchFile("export2.txt", "");
    const std::string state = ScratchFile("export2-board.txt", "");
    ASSERT_EQ(
        Cli({"--virtual", "qk330", "--chip", "qk330", "--state", state, "set", "0x0d", "5"}).code,
        0);
    ASSERT_EQ(Cli({"--virtual", "qk330", "--chip", "qk330", "--state", state, "dump", file}).code,
              0);
    const CliResult script = Cli({"export", file, "--format", "script"});
    ASSERT_EQ(script.code, 0);
    const std::string scriptFile = ScratchFile("init.txt", script.out);
    const std::string fresh = ::testing::TempDir() + "export2-fresh.txt";
    std::remove(fresh.c_str());
    const Strings on = {"--virtual", "qk330", "--chip", "qk330", "--state", fresh};
    auto with = [&](Strings arguments) {
        arguments.insert(arguments.begin(), on.begin(), on.end());
        return Cli(arguments);
    };
    EXPECT_EQ(with({"diff", file}).code, 1);
    EXPECT_EQ(with({"run", scriptFile}).code, 0);
    EXPECT_EQ(with({"diff", file}).code, 0);

    const CliResult c = Cli({"export", file, "--format", "c"});
    // One row per frame: a word is one row, and the rows are as long as the longest.
    EXPECT_NE(c.out.find("static const unsigned char qk330_init[][4] = {\n    {0x11, 1, 0x00},"),
              std::string::npos);
    EXPECT_NE(c.out.find("    {0x0d, 1, 0x05},  /* Mod Index: Index=5 */\n"), std::string::npos);
    EXPECT_NE(c.out.find("    {0x26, 2, 0x00, 0x00},  /* Ch1 Volume (26h-27h): Mute */\n"),
              std::string::npos);
    EXPECT_EQ(c.out.find("{0x27,"), std::string::npos);
    EXPECT_EQ(Cli({"export", file}).code, 2) << "the format is asked for";
    EXPECT_EQ(Cli({"export", file, "--format", "c", "--bus", "1"}).code, 2);
}

TEST(Export, ReadsTheFamilyFromTheFileAndTellsItsOwnError) {
    const std::pair<std::string, const char*> cases[] = {
        {"26: 03\n27: 37\n",
         "the file does not name its chip: add a line \"# chip: NAME\", NAME "
         "the chip it was taken from (QK310, QK320, QK350, QK350/60, QK330 or "
         "QK340), or name it with --chip"},
        {"# chip: QK310\n03: 7e\n40: 00\n",
         "family.txt:3: the QK310/QK320/QK350 has no register 40h: 40: 00"},
    };
    for (const auto& [text, error] : cases) {
        const CliResult result =
            Cli({"export", ScratchFile("family.txt", text), "--format", "script"});
        EXPECT_EQ(result.code, 2);
        EXPECT_NE(result.err.find(error), std::string::npos) << result.err;
    }
}

// File names (and a chip) that would end a comment or run a command: whatever the name, the C
// compiles, the shell script passes `sh -n` and runs nothing of it, and `run` takes the script.
TEST(Export, HostileNamesStayInsideComments) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(::testing::TempDir()) / "qk-export-hostile";
    fs::remove_all(folder);
    const fs::path bin = folder / "bin", work = folder / "work";
    fs::create_directories(bin);
    fs::create_directories(work);
    // An i2ctransfer that sends nothing, so that the script can run here.
    std::ofstream(bin / "i2ctransfer") << "#!/bin/sh\nexit 0\n";
    fs::permissions(bin / "i2ctransfer", fs::perms::owner_all);
    const std::string qk330 = "# chip: QK330\n03: 13\n11: 2d\n";
    const std::string qk350 = "# chip: QK350/60\n02: 05\n19: 2d\n";
    struct Case {
        std::string name;
        std::string snapshot;
        const char* board;
    };
    const Case cases[] = {
        {"a\ntouch PWNED\nw 0x03 0x00\n.txt", qk330, "qk330"},
        {"x*/int pwned;/*.txt", qk330, "qk330"},
        {"$(touch PWNED)`touch PWNED`.txt", qk350, "qk350"},
        {"q\"'\\\\\\.txt", qk330, "qk330"},
        {"\xff\xfe\x80\r.txt", qk330, "qk330"},
    };
    const auto shell = [](const std::string& command) { return std::system(command.c_str()); };
    for (const Case& c : cases) {
        const fs::path path = work / c.name;
        fs::create_directories(path.parent_path());
        std::ofstream(path) << c.snapshot;
        const auto exported = [&](const char* format, const fs::path& to) {
            const CliResult result = Cli({"export", path.string(), "--format", format});
            EXPECT_EQ(result.code, 0) << result.err;
            std::ofstream(to) << result.out;
            return result.out;
        };
        const std::string cSource = exported("c", folder / "init.cc");
        EXPECT_EQ(shell("g++ -fsyntax-only -Wall -Werror -x c++ " + (folder / "init.cc").string()),
                  0)
            << cSource;
        if (c.board == std::string("qk350")) {
            EXPECT_NE(cSource.find("qk350_60_init[][3]"), std::string::npos);
        }
        const std::string sh = exported("i2ctransfer", folder / "init.sh");
        EXPECT_EQ(shell("sh -n " + (folder / "init.sh").string()), 0) << sh;
        EXPECT_EQ(shell("cd " + work.string() + " && PATH=" + bin.string() + ":$PATH sh " +
                        (folder / "init.sh").string() + " 1"),
                  0)
            << sh;
        EXPECT_FALSE(fs::exists(work / "PWNED")) << sh;
        exported("script", folder / "init.txt");
        EXPECT_EQ(
            Cli({"--virtual", c.board, "--chip", c.board, "run", (folder / "init.txt").string()})
                .code,
            0);
    }
    fs::remove_all(folder);
}

}  // namespace
}  // namespace qk::test
