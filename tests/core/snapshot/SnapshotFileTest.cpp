#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/snapshot/SnapshotFile.h"
#include "tests/support/ScratchFolder.h"

namespace qk {
namespace {

namespace fs = std::filesystem;

Snapshot SmallQK330() {
    Snapshot snapshot;
    snapshot.family = ChipFamily::QK330;
    snapshot.chip = "QK330";
    snapshot.i2cAddress = "0x1a";
    snapshot.taken = "2026-12-08T10:15:00Z";
    snapshot.source = "chip";
    snapshot.program = "qk3xx 1.2.0";
    snapshot.values = {{0x03, 0x13}, {0x26, 0x03}, {0x27, 0xCF}, {0x7F, std::nullopt}};
    return snapshot;
}

TEST(SnapshotText, WritesTheHeaderAndOneDecodedLinePerRegister) {
    EXPECT_EQ(FormatSnapshot(SmallQK330()),
              "# QK3xx snapshot\n"
              "# chip: QK330\n"
              "# i2c-address: 0x1a\n"
              "# taken: 2026-12-08T10:15:00Z\n"
              "# source: chip\n"
              "# program: qk3xx 1.2.0\n"
              "03: 13    # Sys Control 1: Speed Mode=0 SCLK Rate=1 MCLK Enable=0 MCLK Hz=3\n"
              "26: 03    # Ch1 Volume (26h-27h): 0.00 dB\n"
              "27: cf\n"
              "7f: XX    # Test 1: unreadable\n");
}

TEST(SnapshotText, ReadsBackWhatItWrote) {
    const Snapshot written = SmallQK330();
    const ParsedSnapshot read = ParseSnapshot(FormatSnapshot(written), ChipFamily::QK330);
    ASSERT_TRUE(read.snapshot) << read.error;
    EXPECT_EQ(read.snapshot->values, written.values);
    EXPECT_EQ(read.snapshot->chip, "QK330");
    EXPECT_EQ(read.snapshot->taken, written.taken);
}

TEST(SnapshotText, AcceptsCommentsBlankLinesAndEitherCase) {
    const ParsedSnapshot read =
        ParseSnapshot("\n# a colleague's board\n  0C:60\n\n0d: 0A   # Mod Index\n1e: XX\n1F: xx\n",
                      ChipFamily::QK330, true);
    ASSERT_TRUE(read.snapshot) << read.error;
    EXPECT_EQ(read.snapshot->values,
              (std::map<uint8_t, std::optional<uint8_t>>{
                  {0x0C, 0x60}, {0x0D, 0x0A}, {0x1E, std::nullopt}, {0x1F, std::nullopt}}));
}

struct BadFile {
    const char* name;
    ChipFamily family;
    std::string text;
    std::string error;
    bool familyGiven = true;  // the user named the chip
};

// A first-generation dump that does not name its chip: every address exists on a QK330 too.
std::string FirstGenerationWithoutChipLine() {
    return FormatSnapshot(PowerOnSnapshot(ChipFamily::QK310, ""));
}

class BadSnapshotText : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadSnapshotText, IsRefusedWithItsLine) {
    const ParsedSnapshot read =
        ParseSnapshot(GetParam().text, GetParam().family, GetParam().familyGiven);
    EXPECT_FALSE(read.snapshot);
    EXPECT_EQ(SnapshotErrorText("F", read), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadSnapshotText,
    ::testing::Values(
        BadFile{"Malformed", ChipFamily::QK330, "03: 13\n03 = 13\n",
                "F:2: malformed line, expected \"hh: hh\": 03 = 13"},
        BadFile{"NotHex", ChipFamily::QK330, "03: 1g\n",
                "F:1: malformed line, expected \"hh: hh\": 03: 1g"},
        BadFile{"UnknownAddress", ChipFamily::QK330, "# x\n40: 00\n",
                "F:2: the QK330/QK340 has no register 40h: 40: 00"},
        BadFile{"ValueOverFF", ChipFamily::QK310, "02: 1ff\n",
                "F:1: value 1ff is over FFh: 02: 1ff"},
        BadFile{"Duplicate", ChipFamily::QK310, "02: 05\n\n02: 06\n",
                "F:3: register 02h appears twice (first on line 1): 02: 06"},
        BadFile{"OtherChipLine", ChipFamily::QK310, "# QK3xx snapshot\n# chip: QK330\n03: 13\n",
                "F:2: the file is from a QK330, not from a QK310/QK320/QK350: # chip: QK330"},
        BadFile{"OtherAddresses", ChipFamily::QK310, "03: 13\n26: 03\n",
                "F:2: register 26h belongs to the QK330/QK340, not to the QK310/QK320/QK350: "
                "26: 03"},
        BadFile{"UnknownChip", ChipFamily::QK310, "# chip: QK999\n",
                "F:1: unknown chip \"QK999\": # chip: QK999"},
        BadFile{"ByteOrderMark", ChipFamily::QK330, "\xEF\xBB\xBF# chip: QK330\n03: 1g\n",
                "F:2: malformed line, expected \"hh: hh\": 03: 1g"},
        BadFile{"Empty", ChipFamily::QK310, " \n\n", "F: the file is empty"},
        BadFile{"OnlyComments", ChipFamily::QK310, "# QK3xx snapshot\n",
                "F: the file holds no register lines"},
        BadFile{"Binary", ChipFamily::QK310,
                std::string("02: 05\n\x7f"
                            "ELF\x01\x00",
                            13),
                "F:2: binary data, not a snapshot text"},
        BadFile{"CutLine", ChipFamily::QK330, "# chip: QK330\n03: 13\n11: 3",
                "F:3: value 3 is not two hex digits (or XX): 11: 3"},
        BadFile{"HalfAWord", ChipFamily::QK330, "# chip: QK330\n26: 03\n",
                "F:2: 26h is one byte of Ch1 Volume (26h-27h), and the file lacks 27h: 26: 03"},
        BadFile{"PartOfTheSeOffset", ChipFamily::QK330, "35: 01\n33: 41\n",
                "F:2: 33h is one byte of SE OFFSET (32h-35h), and the file lacks 32h, 34h: "
                "33: 41"},
        BadFile{"NoChipLineQK330", ChipFamily::QK330, "03: 13\n",
                "F: the file does not name its chip: add a line \"# chip: NAME\", NAME the chip it "
                "was taken from (QK330 or QK340)",
                false},
        BadFile{"NoChipLineFirstGeneration", ChipFamily::QK310, "03: 7e\n",
                "F: the file does not name its chip: add a line \"# chip: NAME\", NAME the chip it "
                "was taken from (QK310, QK320, QK350 or QK350/60)",
                false},
        BadFile{"FirstGenerationOnQK330", ChipFamily::QK330, FirstGenerationWithoutChipLine(),
                "F:28: 1Dh is one byte of Ch5 DC Offset (1Ch-1Dh), and the file lacks 1Ch: "
                "1d: 33    # Dither: NS_Enable=1 Value=19"}),
    [](const auto& test) { return test.param.name; });

TEST(SnapshotFile, RefusesAFileOverOneMebibyte) {
    const fs::path path = test::ScratchFolder("large-snapshot") += ".txt";
    std::ofstream(path) << std::string(kMaxSnapshotFileSize, '#') << "\n02: 05\n";
    EXPECT_EQ(ReadSnapshotFile(path, ChipFamily::QK310).error,
              "the file is larger than 1 MiB: not a snapshot");
    fs::remove(path);
}

std::string Contents(const fs::path& path) {
    std::stringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

// Makes writes fail as on a full disk: files may not grow beyond a few bytes.
struct FileSizeLimit {
    FileSizeLimit() {
        getrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 16;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, SIG_DFL);
    }
    rlimit saved{};
};

struct FailedSave {
    const char* name;
    bool limitFileSize;
    bool targetIsFolder;
    const char* reason;
};

class SnapshotSave : public ::testing::TestWithParam<FailedSave> {};

TEST_P(SnapshotSave, ThatFailsKeepsTheOldFileAndSaysWhy) {
    const fs::path folder = test::ScratchFolder("snapshot-save");
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path path = folder / "board.txt";
    ASSERT_EQ(SaveTextFile(path, "02: 05\n"), "");
    EXPECT_EQ(Contents(path), "02: 05\n");
    if (GetParam().targetIsFolder) fs::create_directories(folder / "folder.txt");
    const fs::path target = GetParam().targetIsFolder ? folder / "folder.txt" : path;
    std::string error;
    {
        std::optional<FileSizeLimit> limit;
        if (GetParam().limitFileSize) limit.emplace();
        error = SaveTextFile(target, std::string(4096, '#') + "\n02: 06\n");
    }
    EXPECT_EQ(error, "cannot save " + target.string() + ": " + GetParam().reason);
    EXPECT_EQ(Contents(path), "02: 05\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()),
              GetParam().targetIsFolder ? 2 : 1)
        << "no temporary file is left behind";
    fs::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(Failures, SnapshotSave,
                         ::testing::Values(FailedSave{"DiskFull", true, false, "File too large"},
                                           FailedSave{"TargetIsAFolder", false, true,
                                                      "Is a directory"}),
                         [](const auto& test) { return test.param.name; });

}  // namespace
}  // namespace qk
