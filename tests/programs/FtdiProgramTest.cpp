// The program on an FTDI bridge, where only the bridge behaves so: unplugged in the middle of a
// frame and plugged in again, and the timing its engine gives the lines. (START, bus errors after
// it, READ ALL and the refused bridges: ProgramOnBusTest.cpp, ReadAllOnBusTest.cpp.)
#include "tests/gui/QK330Fixture.h"
#include "tests/programs/ProgramOnBus.h"

namespace qk::test {
namespace {

using Strings = std::vector<std::string>;
using board::WirePhases;

// The program on the FT232H, after a START that found the QK310.
class OnFtdi : public On<MainWindowTest> {
  protected:
    OnFtdi() : On(Driver::Ftdi) {}
    void SetUp() override {
        On::SetUp();
        ClickStart();
        ASSERT_EQ(CheckedChipButtons(), Strings{"QK310RadioButton"});
        board.ClearFrames();
    }
};

TEST_F(OnFtdi, UnpluggedInAFrameIsToldInItsWordsThenFailsAtOnceUntilStartFindsItBack) {
    // Inside the next frame's command buffer: past START and its address byte.
    EmulatedFtdi::VanishAfterBytes(70);
    Click(OkapiForm, "QK310PWMResetBitBtn");  // two register writes
    EXPECT_EQ(
        Text("ErrorLabel"),
        "FT232H serial FT1QK3XX: the bridge stopped answering (usb bulk write failed): it was "
        "unplugged or lost its supply; plug it in again");
    EXPECT_EQ(dialogs, Strings{}) << "a failure of the bridge is no missing acknowledge";

    // The next click looks for the bridge once, and its frames go nowhere.
    Click(OkapiForm, "QK310PWMResetBitBtn");
    EXPECT_EQ(Text("ErrorLabel"), "FT232H serial FT1QK3XX: the bridge is gone; plug it in again");
    EXPECT_EQ(dialogs, Strings{});

    kernel_.ReplugFtdi();
    board.ClearFrames();
    ClickStart();
    EXPECT_EQ(dialogs, Strings{});
    EXPECT_EQ(CheckedChipButtons(), Strings{"QK310RadioButton"});
    const Strings frames = board.FrameTexts();
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.front(), "34 00");
    EXPECT_EQ(EmulatedFtdi::RoundTrips(), long(frames.size()) + 3)
        << "the bridge's two set-up exchanges, the line check, then one round trip a frame";
}

// --- The wire's timing: START, then the QK330 register editor's READ ALL ---

class FtdiWireTiming : public On<QK330Test>, public ::testing::WithParamInterface<FtdiNode> {
  protected:
    FtdiWireTiming() : On(GetParam()) {}
};

TEST_P(FtdiWireTiming, KeepsEveryPhaseOfTheStandardAndNoPinFightsTheBoard) {
    Click(OkapiForm, "QK330RegistersBitBtn");
    Click(QK330RegForm, "ReadAllButton");
    const Strings frames = board.FrameTexts();
    ASSERT_EQ(frames.size(), 11u * 2 + 6);
    EXPECT_EQ(frames.front(), "34 00") << "the first register read";
    EXPECT_EQ(dialogs, Strings{});
    const WirePhases phases = EmulatedFtdi::Phases();
    for (int phase = 0; phase < WirePhases::Count; ++phase) {
        const auto p = static_cast<WirePhases::Phase>(phase);
        const char* name = WirePhases::Limits[phase].name;
        // The lines are timed from idle to idle, and no frame repeats its START: the bus free
        // time and a repeated START's set-up are never seen.
        if (p != WirePhases::StartSetUp && p != WirePhases::BusFree) {
            EXPECT_FALSE(phases.Lengths(p).empty()) << name;
        }
        EXPECT_EQ(phases.BelowMinimum(p), 0) << name << " at " << phases.Shortest(p) << " us";
    }
    EXPECT_EQ(EmulatedFtdi::Failures(), Strings{});
}

INSTANTIATE_TEST_SUITE_P(Chips, FtdiWireTiming,
                         ::testing::Values(FtdiNode::FT232H, FtdiNode::FT2232H),
                         [](const auto& test) {
                             return test.param == FtdiNode::FT232H ? "FT232H" : "FT2232H";
                         });

}  // namespace
}  // namespace qk::test
