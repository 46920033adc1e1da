#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "core/chips/RegisterBus.h"
#include "core/snapshot/SnapshotRestore.h"
#include "tests/support/BusTestSupport.h"

namespace qk::test {
namespace {

using Texts = std::vector<std::string>;

// The register operations on a virtual board, with MUTE ALL engaged (a restore writes anyway).
struct RestoreRig {
    explicit RestoreRig(board::Chip chip) : rig(chip) {
        registers.SetWiring({&rig.bus, [] { return uint8_t(0x34); }, [] { return true; }});
    }
    BusRig rig;
    RegisterBus registers;
};

// A QK330 snapshot at power-on but for a few values the windows change.
Snapshot ChangedQK330() {
    Snapshot snapshot = PowerOnSnapshot(ChipFamily::QK330, "QK330");
    snapshot.values[0x03] = 0x53;
    snapshot.values[0x11] = 0x2D;
    snapshot.values[0x26] = 0x03;
    snapshot.values[0x27] = 0x37;  // Ch1 -12.00 dB
    snapshot.values[0x7E] = 0x18;  // a test register, skipped without the login
    return snapshot;
}

TEST(SnapshotRestore, MutesFirstWritesInAddressOrderAndTheMuteRegisterLast) {
    RestoreRig rig(board::Chip::QK330);
    const Snapshot file = ChangedQK330();
    const RestorePlan plan = PlanRestore(file, {});
    const RestoreOutcome outcome = RunRestore(plan, ChipFamily::QK330, rig.registers, rig.rig.bus);
    EXPECT_EQ(outcome.message, "Restored 51 registers, verified");

    Texts writes;
    for (const board::DecodedFrame& frame : rig.rig.board.Frames())
        if (!frame.IsRead() && frame.bytes.size() > 1) writes.push_back(frame.Text());
    ASSERT_EQ(writes.size(), 39u);
    EXPECT_EQ(writes.front(), "34 11 00");
    EXPECT_EQ(writes[1], "34 03 53");
    EXPECT_EQ(writes.back(), "34 11 2D");
    EXPECT_NE(std::find(writes.begin(), writes.end(), "34 26 03 37"), writes.end());
    for (const std::string& write : writes)
        for (const char* status : {"34 00 ", "34 01 ", "34 02 ", "34 79 ", "34 7E ", "34 7F "})
            EXPECT_NE(write.rfind(status, 0), 0u) << write;
    EXPECT_NE(std::find(plan.notes.begin(), plan.notes.end(),
                        "Test 0 (7Eh) skipped: test registers need the engineering login"),
              plan.notes.end());
    for (const RegisterInfo& info : QK330Map().registers) {
        if (info.access != RegisterAccess::ReadWrite) continue;
        EXPECT_EQ(rig.rig.board.Register(info.subAddress), *file.Value(info.subAddress));
    }
}

// A file of one register and no mute register, on a chip with a stuck bit: the frames are the
// write and the read-back of each byte, and the mismatch names the bytes whatever the conversion.
struct StuckBitCase {
    const char* name;
    std::map<uint8_t, std::optional<uint8_t>> file;
    uint8_t stuckRegister;
    int stuckBit;
    Texts frames;
    std::string message;  // the start of it: how a lossy conversion decodes is not its business
};

class StuckBit : public ::testing::TestWithParam<StuckBitCase> {};

TEST_P(StuckBit, IsListedWithTheBytesWrittenAndRead) {
    const StuckBitCase& c = GetParam();
    RestoreRig rig(board::Chip::QK330);
    rig.rig.board.SetStuckBit(c.stuckRegister, c.stuckBit);
    Snapshot file;
    file.family = ChipFamily::QK330;
    file.values = c.file;
    const RestoreOutcome outcome =
        RunRestore(PlanRestore(file, {}), ChipFamily::QK330, rig.registers, rig.rig.bus);
    EXPECT_EQ(outcome.result, RestoreOutcome::Result::Mismatches);
    EXPECT_EQ(outcome.message.substr(0, c.message.size()), c.message);
    EXPECT_EQ(rig.rig.board.FrameTexts(), c.frames);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Registers, StuckBit, ::testing::Values(
    StuckBitCase{"Plain", {{0x03, 0x13}}, 0x03, 4,
        {"34 03 13", "34 03", "35 03"},
        "1 register differs after restore: Sys Control 1 (03h): wrote 13, read 03 "
        "(SCLK Rate: wrote 1, read 0)"},
    StuckBitCase{"Word", {{0x26, 0x03}, {0x27, 0x37}}, 0x27, 0,
        {"34 26 03 37", "34 26", "35 03", "34 27", "35 36"},
        "1 register differs after restore: Ch1 Volume (26h-27h): wrote 03 37, read 03 36 "
        "(wrote -19.07 dB, read -19.19 dB)"},
    StuckBitCase{"DcOffset", {{0x14, 0x30}, {0x15, 0x00}}, 0x14, 5,
        {"34 14 30 00", "34 14", "35 10", "34 15", "35 00"},
        "1 register differs after restore: Ch1 DC Offset (14h-15h): wrote 30 00, read 10 00 ("},
    StuckBitCase{"PadcOffset", {{0x0F, 0x20}, {0x10, 0x00}}, 0x0F, 5,
        {"34 0F 20 00", "34 0F", "35 00", "34 10", "35 00"},
        "1 register differs after restore: PADC DC Offset (0Fh-10h): wrote 20 00, read 00 00 ("},
    StuckBitCase{"SeOffset", {{0x32, 0x20}, {0x33, 0x41}, {0x34, 0x00}, {0x35, 0x01}}, 0x35, 0,
        {"34 32 20", "34 33 41", "34 34 00", "34 35 01",
         "34 32", "35 20", "34 33", "35 41", "34 34", "35 00", "34 35", "35 00"},
        "1 register differs after restore: SE OFFSET (32h-35h): wrote 20 41 00 01, read 20 41 00 00 ("}),
    [](const auto& test) { return test.param.name; });
// clang-format on

TEST(SnapshotRestore, AFileWithoutTheMuteRegisterVerifiesEveryWrite) {
    RestoreRig rig(board::Chip::QK330);
    Snapshot file;
    file.family = ChipFamily::QK330;
    file.values = {{0x03, 0x13}};
    const RestorePlan plan = PlanRestore(file, {});
    const RestoreOutcome outcome = RunRestore(plan, ChipFamily::QK330, rig.registers, rig.rig.bus);
    EXPECT_EQ(outcome.message, "Restored 1 register, verified");
    EXPECT_EQ(rig.rig.board.FrameTexts(), (Texts{"34 03 13", "34 03", "35 13"}));
    EXPECT_EQ(plan.notes,
              Texts{"the file has no Soft Mute register: the channels were not muted during the "
                    "restore"});
}

TEST(SnapshotRestore, WithMuteAllEngagedKeepsTheChannelsMutedAndHoldsTheFilesValue) {
    RestoreRig rig(board::Chip::QK330);
    const RestorePlan plan = PlanRestore(ChangedQK330(), {.keepChannelsMuted = true});
    const RestoreOutcome outcome = RunRestore(plan, ChipFamily::QK330, rig.registers, rig.rig.bus);
    EXPECT_EQ(outcome.message, "Restored 51 registers, verified");
    EXPECT_EQ(plan.heldMuteValue, 0x2D);
    EXPECT_EQ(plan.notes.back(),
              "MUTE ALL is engaged: the channels stay muted; releasing MUTE ALL applies the file's "
              "channel mutes");
    Texts muteWrites;
    for (const std::string& frame : rig.rig.board.FrameTexts())
        if (frame.starts_with("34 11 ")) muteWrites.push_back(frame);
    EXPECT_EQ(muteWrites, (Texts{"34 11 00", "34 11 00"}));
    EXPECT_EQ(rig.rig.board.Register(0x11), 0x00);
    EXPECT_EQ(rig.rig.board.Register(0x26), 0x03) << "every other register is written";
}

TEST(SnapshotRestore, WithoutVerificationReadsNothingBack) {
    RestoreRig rig(board::Chip::QK330);
    rig.rig.board.SetStuckBit(0x11, 0);
    const RestoreOutcome outcome = RunRestore(PlanRestore(ChangedQK330(), {}), ChipFamily::QK330,
                                              rig.registers, rig.rig.bus, {}, false);
    EXPECT_EQ(outcome.result, RestoreOutcome::Result::NotVerified);
    EXPECT_EQ(outcome.message, "Restored 51 registers, not verified");
    for (const board::DecodedFrame& frame : rig.rig.board.Frames())
        EXPECT_GT(frame.bytes.size(), 1u)
            << "a read frame or a sub-address frame: " << frame.Text();
}

// Every bit that starts a reset or a clear, active-high or active-low, is written inactive.
struct ActionCase {
    board::Chip chip;
    ChipFamily family;
    uint8_t sub;
    uint8_t fileValue;
    uint8_t written;
    Texts notes;
};

TEST(SnapshotRestore, WritesEveryActionBitInactiveAndSaysSo) {
    // clang-format off
    const ActionCase cases[] = {
        {board::Chip::QK310, ChipFamily::QK310, 0x03, 0x7B, 0x7E,
         {"Sys Control 1 (03h): Normal Mode (D2) is 0 in the file; written 1, as 0 starts an action",
          "Sys Control 1 (03h): RESET Regs (D0) is 1 in the file; written 0, as 1 starts an action"}},
        {board::Chip::QK310, ChipFamily::QK310, 0x1E, 0x87, 0x81,
         {"Test 0 (1Eh): Reset Filter (D2) is 1 in the file; written 0, as 1 starts an action",
          "Test 0 (1Eh): Clear Filter (D1) is 1 in the file; written 0, as 1 starts an action"}},
        {board::Chip::QK330, ChipFamily::QK330, 0x04, 0xA2, 0xA6,
         {"Sys Control 2 (04h): Not SRESET (D2) is 0 in the file; written 1, as 0 starts an action"}},
        {board::Chip::QK330, ChipFamily::QK330, 0x79, 0x72, 0xF2,
         {"PSC TEST 1 (79h): Not Reset (D7) is 0 in the file; written 1, as 0 starts an action"}},
        {board::Chip::QK330, ChipFamily::QK330, 0x7E, 0x1A, 0x18,
         {"Test 0 (7Eh): Clear Filter (D1) is 1 in the file; written 0, as 1 starts an action"}},
    };
    // clang-format on
    for (const ActionCase& c : cases) {
        RestoreRig rig(c.chip);
        Snapshot file;
        file.family = c.family;
        file.values = {{c.sub, c.fileValue}};
        const RestorePlan plan = PlanRestore(file, {.includeTestRegisters = true});
        const RestoreOutcome outcome = RunRestore(plan, c.family, rig.registers, rig.rig.bus);
        EXPECT_EQ(outcome.result, RestoreOutcome::Result::Verified) << outcome.message;
        EXPECT_EQ(rig.rig.board.Register(c.sub), c.written) << int(c.sub);
        EXPECT_EQ(Texts(plan.notes.begin() + 1, plan.notes.end()), c.notes) << int(c.sub);
    }
}

TEST(SnapshotRestore, OffLineOnlyLogsAndSkipsTheVerification) {
    RestoreRig rig(board::Chip::QK310);
    rig.rig.bus.SetOffLine(true);
    const RestorePlan plan = PlanRestore(PowerOnSnapshot(ChipFamily::QK310, "QK310"), {});
    const RestoreOutcome outcome = RunRestore(plan, ChipFamily::QK310, rig.registers, rig.rig.bus);
    EXPECT_EQ(outcome.message, "Restored 24 registers off line (log only); verification skipped");
    EXPECT_TRUE(rig.rig.board.Frames().empty());
    EXPECT_EQ(rig.rig.log.lines.size(), plan.writes.size());
    EXPECT_EQ(rig.rig.log.lines.front(), "{0x34 0x19 0xc0 }");
}

TEST(SnapshotRestore, ABusErrorAfterSomeFramesNamesWhatWasWrittenAndWhatWasNot) {
    const std::pair<int, const char*> cases[] = {
        {0,
         "Bus error at mute all channels (19h) after 0 registers of the file written. Written: "
         "nothing. Not written: mute all channels (19h) (the frame that failed: perhaps in "
         "part), Sys Control 0 (02h), Ch1 Volume (13h), Channel Mute (19h)."},
        {2,
         "Bus error at Ch1 Volume (13h) after 1 register of the file written. Written: mute all "
         "channels (19h), Sys Control 0 (02h). Not written: Ch1 Volume (13h) (the frame that "
         "failed: perhaps in part), Channel Mute (19h)."},
    };
    for (const auto& [frames, message] : cases) {
        RestoreRig rig(board::Chip::QK310);
        Snapshot file;
        file.values = {{0x02, 0x05}, {0x13, 0xC9}, {0x19, 0x3F}};
        const auto failAfter = [&, frames = frames](int done, int) {
            if (done == frames) rig.rig.board.SetFault(board::Fault::DataNotAcked);
            return true;
        };
        const RestoreOutcome outcome = RunRestore(PlanRestore(file, {}), ChipFamily::QK310,
                                                  rig.registers, rig.rig.bus, failAfter);
        EXPECT_EQ(outcome.result, RestoreOutcome::Result::BusError);
        EXPECT_EQ(outcome.message, message);
        EXPECT_EQ(rig.rig.board.Frames().size(), size_t(frames + 1));
    }
}

TEST(SnapshotRestore, CancelsBetweenRegisters) {
    RestoreRig rig(board::Chip::QK310);
    const RestorePlan plan = PlanRestore(PowerOnSnapshot(ChipFamily::QK310, "QK310"), {});
    const RestoreOutcome outcome = RunRestore(plan, ChipFamily::QK310, rig.registers, rig.rig.bus,
                                              [](int done, int) { return done < 3; });
    EXPECT_EQ(outcome.result, RestoreOutcome::Result::Cancelled);
    EXPECT_EQ(outcome.registersWritten, 2);
    EXPECT_EQ(rig.rig.board.Frames().size(), 3u);
}

TEST(SnapshotRestore, TakesTheChipsRegistersAndTheWriteOnlyOnesFromTheImage) {
    RestoreRig rig(board::Chip::QK310);
    rig.rig.board.SetRegister(0x02, 0xAF);
    const auto snapshot = TakeSnapshot(ChipFamily::QK310, rig.registers, rig.rig.bus,
                                       [](uint8_t sub) { return uint8_t(0xC0 | sub); });
    ASSERT_TRUE(snapshot);
    EXPECT_EQ(snapshot->source, "chip");
    EXPECT_EQ(snapshot->values.size(), 29u);
    EXPECT_EQ(snapshot->Value(0x02), 0xAF);
    EXPECT_EQ(snapshot->Value(0x13), 0xD3) << "write-only: the program's last write";
    EXPECT_EQ(rig.rig.board.Frames().size(), 2u * 23);
}

}  // namespace
}  // namespace qk::test
