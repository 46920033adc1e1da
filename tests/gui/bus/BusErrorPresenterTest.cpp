// The bus master's errors as the main window shows them: the status lines and the dialogs.
#include <gtest/gtest.h>

#include "gui/bus/BusErrorPresenter.h"
#include "tests/support/BusTestSupport.h"

namespace qk::test {
namespace {

using board::Fault;
using Texts = std::vector<std::string>;

// The status lines as shown last, and the dialogs opened.
struct ShownErrors {
    std::string first, second, third;
    int ackDialogs = 0, waitDialogs = 0;
    BusErrorPresenter::View View() {
        return {.firstLine = [this](const std::string& text) { first = text; },
                .secondLine = [this](const std::string& text) { second = text; },
                .errorLine = [this](const std::string& text) { third = text; },
                .ackDialog = [this] { ++ackDialogs; },
                .waitDialog = [this] { ++waitDialogs; }};
    }
};

// A bus master on a virtual QK310, its errors presented.
struct ShownRig {
    board::VirtualBoard board{board::Chip::QK310, 0x34};
    RecordingLog log;
    I2cBus bus{board, log};
    ShownErrors errors;
    BusErrorPresenter presenter{bus, errors.View()};
};

TEST(Errors, NoDeviceShowsAckErrorOnceThenWaitsNoMore) {
    ShownRig rig;
    rig.board.SetFault(Fault::NoDevice);
    const uint8_t bytes[] = {0x13, 0xC9};
    rig.bus.I2cWrite(0x34, bytes, 2);
    EXPECT_EQ(rig.errors.first, "ACK Error");
    EXPECT_EQ(rig.errors.third, "ACK Error");
    EXPECT_EQ(rig.errors.second, "");
    EXPECT_EQ(rig.errors.ackDialogs, 1);
    EXPECT_TRUE(rig.bus.AckError());
    EXPECT_EQ(rig.bus.AckTimeoutBudget, 0);
    EXPECT_EQ(rig.log.lines, Texts{"{0x34 0x13 0xc9 }"}) << "the frame is still logged";
    // The first wait spent its budget; the other two bytes of the frame did not wait at all.
    EXPECT_GE(rig.board.PortAccesses(), uint64_t(I2cBus::FullPollBudget));
    EXPECT_LT(rig.board.PortAccesses(), uint64_t(I2cBus::FullPollBudget) + 2000);

    rig.errors.first.clear();
    const uint64_t before = rig.board.PortAccesses();
    rig.bus.I2cWrite(0x34, bytes, 2);
    EXPECT_LT(rig.board.PortAccesses() - before, 2000u) << "later waits end at their first poll";
    EXPECT_EQ(rig.errors.ackDialogs, 1);
    EXPECT_EQ(rig.errors.first, "") << "no second report";
}

TEST(Errors, AckErrorThenWaitErrorUseBothStatusLines) {
    ShownRig rig;
    rig.board.SetFault(Fault::NoDevice);
    rig.bus.I2cWrite(0x34, nullptr, 0);
    rig.board.SetFault(Fault::SclStuckLow);
    rig.bus.I2cWrite(0x34, nullptr, 0);
    EXPECT_EQ(rig.errors.first, "ACK Error");
    EXPECT_EQ(rig.errors.second, "Wait Error");
    EXPECT_EQ(rig.errors.third, "ACK Error");
    EXPECT_EQ(rig.errors.ackDialogs, 1);
    EXPECT_EQ(rig.errors.waitDialogs, 1);
    EXPECT_EQ(rig.bus.WaitTimeoutBudget, 0);
    EXPECT_TRUE(rig.bus.WaitError());
}

TEST(Errors, StuckClockGivesWaitErrorFirstAndNeverHangs) {
    ShownRig rig;
    rig.board.SetFault(Fault::SclStuckLow);
    uint8_t value = 0xAA;
    rig.bus.I2cRead(0x34, 0x00, &value, 1);
    EXPECT_EQ(rig.errors.first, "Wait Error");
    EXPECT_EQ(rig.errors.second, "ACK Error");
    EXPECT_EQ(rig.errors.third, "ACK Error");
    EXPECT_EQ(rig.errors.waitDialogs, 1);
    EXPECT_EQ(rig.errors.ackDialogs, 1);
    EXPECT_TRUE(rig.board.Frames().empty());
    EXPECT_LT(rig.board.PortAccesses(), 2u * I2cBus::FullPollBudget + 5000);
}

TEST(Errors, UnacknowledgedDataBytesAreStillClockedOut) {
    ShownRig rig;
    rig.board.SetFault(Fault::DataNotAcked);
    const uint8_t bytes[] = {0x13, 0xC9};
    rig.bus.I2cWrite(0x34, bytes, 2);
    EXPECT_EQ(rig.board.FrameTexts(), Texts{"34 13 C9"});
    EXPECT_EQ(rig.errors.first, "ACK Error");
    EXPECT_EQ(rig.errors.ackDialogs, 1);
}

TEST(Errors, ResetClearsEverythingAndDialogsComeBack) {
    ShownRig rig;
    rig.board.SetFault(Fault::NoDevice);
    rig.bus.I2cWrite(0x34, nullptr, 0);
    rig.bus.I2cResetErrors();
    EXPECT_FALSE(rig.bus.AckError());
    EXPECT_EQ(rig.bus.AckTimeoutBudget, I2cBus::FullPollBudget);
    EXPECT_EQ(rig.bus.WaitTimeoutBudget, I2cBus::FullPollBudget);
    rig.errors.first.clear();
    rig.bus.I2cWrite(0x34, nullptr, 0);
    EXPECT_EQ(rig.errors.ackDialogs, 2);
    EXPECT_EQ(rig.errors.first, "ACK Error");
}

TEST(Errors, ProbeShowsNoDialogButCountsIt) {
    ShownRig rig;
    rig.board.SetFault(Fault::NoDevice);
    EXPECT_FALSE(rig.bus.I2cProbe(0x34, 0x00, nullptr, 0));
    EXPECT_FALSE(rig.bus.Probing());
    EXPECT_EQ(rig.errors.ackDialogs, 0);
    EXPECT_TRUE(rig.bus.AckError());
    EXPECT_EQ(rig.errors.first, "ACK Error");
    // Later frames in the same run show no dialog either: the error is already set.
    rig.bus.I2cWrite(0x34, nullptr, 0);
    EXPECT_EQ(rig.errors.ackDialogs, 0);
}

TEST(ClockStretching, BeyondTheBudgetIsAWaitError) {
    ShownRig rig;
    rig.bus.WaitTimeoutBudget = 10;
    rig.board.SetFault(Fault::ClockStretch, 50);
    rig.bus.I2cWrite(0x34, nullptr, 0);
    EXPECT_TRUE(rig.bus.WaitError());
    EXPECT_EQ(rig.errors.first, "Wait Error");
    EXPECT_EQ(rig.errors.waitDialogs, 1);
}

}  // namespace
}  // namespace qk::test
