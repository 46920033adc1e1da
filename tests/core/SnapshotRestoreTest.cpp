#include <gtest/gtest.h>

#include <algorithm>

#include "chips/RegisterBus.h"
#include "snapshot/SnapshotRestore.h"
#include "tests/core/BusTestSupport.h"

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
    const RestorePlan plan = PlanRestore(file, false);
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

TEST(SnapshotRestore, ListsAStuckBitDecoded) {
    RestoreRig rig(board::Chip::QK330);
    rig.rig.board.SetStuckBit(0x11, 0);
    const RestoreOutcome outcome = RunRestore(PlanRestore(ChangedQK330(), false), ChipFamily::QK330,
                                              rig.registers, rig.rig.bus);
    EXPECT_EQ(outcome.result, RestoreOutcome::Result::Mismatches);
    EXPECT_EQ(outcome.message,
              "1 register differs after restore: Soft Mute Ch1 UnMute: wrote 1, read 0");
}

TEST(SnapshotRestore, WithoutVerificationReadsNothingBack) {
    RestoreRig rig(board::Chip::QK330);
    rig.rig.board.SetStuckBit(0x11, 0);
    const RestoreOutcome outcome = RunRestore(PlanRestore(ChangedQK330(), false), ChipFamily::QK330,
                                              rig.registers, rig.rig.bus, {}, false);
    EXPECT_EQ(outcome.result, RestoreOutcome::Result::NotVerified);
    EXPECT_EQ(outcome.message, "Restored 51 registers, not verified");
    for (const board::DecodedFrame& frame : rig.rig.board.Frames())
        EXPECT_GT(frame.bytes.size(), 1u)
            << "a read frame or a sub-address frame: " << frame.Text();
}

TEST(SnapshotRestore, WritesTheResetBitClearedAndSaysSo) {
    RestoreRig rig(board::Chip::QK310);
    Snapshot file = PowerOnSnapshot(ChipFamily::QK310, "QK310");
    file.values[0x03] = 0x7F;
    const RestorePlan plan = PlanRestore(file, true);
    const RestoreOutcome outcome = RunRestore(plan, ChipFamily::QK310, rig.registers, rig.rig.bus);
    EXPECT_EQ(outcome.message, "Restored 26 registers, verified");
    EXPECT_EQ(rig.rig.board.FrameTexts()[2], "34 03 7E");
    EXPECT_EQ(plan.notes, Texts{"Sys Control 1 (03h): RESET Regs is set in the file; written "
                                "cleared, as it starts an action"});
}

TEST(SnapshotRestore, OffLineOnlyLogsAndSkipsTheVerification) {
    RestoreRig rig(board::Chip::QK310);
    rig.rig.bus.OffLine = true;
    const RestorePlan plan = PlanRestore(PowerOnSnapshot(ChipFamily::QK310, "QK310"), false);
    const RestoreOutcome outcome = RunRestore(plan, ChipFamily::QK310, rig.registers, rig.rig.bus);
    EXPECT_EQ(outcome.message, "Restored 24 registers off line (log only); verification skipped");
    EXPECT_TRUE(rig.rig.board.Frames().empty());
    EXPECT_EQ(rig.rig.log.lines.size(), plan.writes.size());
    EXPECT_EQ(rig.rig.log.lines.front(), "{0x34 0x19 0xc0 }");
}

TEST(SnapshotRestore, StopsAtTheFirstBusErrorAndNamesWhatWasNotWritten) {
    RestoreRig rig(board::Chip::QK310);
    Snapshot file;
    file.values = {{0x02, 0x05}, {0x03, 0x7E}, {0x19, 0x3F}};
    rig.rig.board.SetFault(board::Fault::DataNotAcked);
    const RestoreOutcome outcome =
        RunRestore(PlanRestore(file, false), ChipFamily::QK310, rig.registers, rig.rig.bus);
    EXPECT_EQ(outcome.result, RestoreOutcome::Result::BusError);
    EXPECT_EQ(outcome.message,
              "Bus error after 0 registers written; not written: mute all channels (19h); "
              "Sys Control 0 (02h); Sys Control 1 (03h); Channel Mute (19h)");
    EXPECT_EQ(rig.rig.board.Frames().size(), 1u);
}

TEST(SnapshotRestore, CancelsBetweenRegisters) {
    RestoreRig rig(board::Chip::QK310);
    const RestorePlan plan = PlanRestore(PowerOnSnapshot(ChipFamily::QK310, "QK310"), false);
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
