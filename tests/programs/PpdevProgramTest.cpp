// The program on the parallel port through the ppdev driver, where only the port behaves so: its
// data lines, its wait error after START, and a claim that sleeps while another program holds it.
// (START with the port's line checks, bus errors after it and the refused ports:
// ProgramOnBusTest.cpp.)
#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <QLabel>
#include <thread>

#include "gui/bus/Gpiounit.h"
#include "tests/gui/MainWindowFixture.h"
#include "tests/programs/ProgramOnBus.h"
#include "tests/programs/StartOutcome.h"

namespace qk::test {
namespace {

using board::Fault;
using Strings = std::vector<std::string>;

// The program with its main window on the driver, after a START that found the QK310.
class OnPpdev : public On<MainWindowTest> {
  protected:
    OnPpdev() : On(Driver::Ppdev) {}
    void SetUp() override {
        On::SetUp();
        ClickStart();
        ASSERT_EQ(CheckedChipButtons(), Strings{"QK310RadioButton"});
        board.ClearFrames();
    }
};

TEST_F(OnPpdev, AClockHeldLowAfterStartGivesTheWaitError) {
    board.SetFault(Fault::SclStuckLow);
    Click(OkapiForm, "QK310PWMResetBitBtn");
    ASSERT_FALSE(dialogs.empty());
    EXPECT_EQ(dialogs.front(), "WaitErrorDialogForm");
    EXPECT_EQ(Text("FirstErrorlabel"), "Wait Error");
}

TEST_F(OnPpdev, ThePinsWindowReachesTheDataLines) {
    OpenWindow(GPIOForm);
    for (const char* box : {"Bit0CheckBox", "Bit7CheckBox"}) Click(GPIOForm, box);
    Click(GPIOForm, "SendButton");
    EXPECT_EQ(board.DataPortWrites(), std::vector<uint8_t>{0x81});
    EXPECT_TRUE(board.FrameTexts().empty());
}

// Another program holds the port and lets it go while this program's claim sleeps.
TEST(HeldPpdevPort, ReleasedWithinTheDeadlineIsClaimedAndStartFindsTheChip) {
    board::VirtualBoard board;
    KernelBus kernel(board, EmulatedPpdev::Node::Present);
    const int otherProgram = open(EmulatedPpdev::Path, O_RDWR);
    ASSERT_EQ(ioctl(otherProgram, PPCLAIM), 0);
    bool slept = false;
    std::thread releaser([&] {
        slept = EmulatedPpdev::AwaitSleepingClaim();
        close(otherProgram);
    });
    const StartOutcome seen = StartOn(kernel.ProgramPort(), {}, board, 0);
    releaser.join();

    EXPECT_TRUE(slept) << "the claim waits for the holder";
    EXPECT_EQ(seen.dialogs, Strings{});
    EXPECT_EQ(seen.checked, Strings{"QK310RadioButton"});
    ASSERT_FALSE(seen.frames.empty());
    EXPECT_EQ(seen.frames.front(), "34 00");
}

}  // namespace
}  // namespace qk::test
