// The whole program on the real PpdevPort, whose open() and ioctl() calls reach an emulated ppdev
// driver with the virtual board behind its pins.
#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <filesystem>
#include <thread>

#include "core/bus/PpdevPort.h"
#include "gui/bus/Gpiounit.h"
#include "tests/gui/MainWindowFixture.h"
#include "tests/ppdev/EmulatedPpdev.h"
#include "tests/support/ScratchFolder.h"

namespace qk::test {
namespace {

using board::Chip;
using board::Fault;
using Strings = std::vector<std::string>;

// What a user sees of one START, and what reached the chip.
struct StartOutcome {
    Strings frames;
    Strings status;
    Strings checked;
    Strings dialogs;
    std::string errorLine;
    bool operator==(const StartOutcome&) const = default;
};

void PrintTo(const StartOutcome& o, std::ostream* out) {
    *out << "frames:";
    for (const auto& f : o.frames) *out << " [" << f << "]";
    *out << " status:" << ::testing::PrintToString(o.status)
         << " checked:" << ::testing::PrintToString(o.checked)
         << " dialogs:" << ::testing::PrintToString(o.dialogs) << " red: " << o.errorLine;
}

// The program on `port` (the board itself, or the driver in front of it): START with the address
// list at `addressItem`.
StartOutcome Start(PortIo& port, board::VirtualBoard& board, int addressItem) {
    StartOutcome outcome;
    const ModalPresenter previous = SetModalPresenter(
        [&](QDialog& dialog) { outcome.dialogs.push_back(dialog.objectName().toStdString()); });
    {
        Program program(port);
        I2CForm->SetTiming(SimulatedMachine(4).Timing());
        program.Show();
        OkapiForm->findChild<QComboBox*>("IICAddressComboBox")->setCurrentIndex(addressItem);
        QTest::mouseClick(OkapiForm->findChild<QAbstractButton*>("StartBitBtn"), Qt::LeftButton);
        outcome.frames = board.FrameTexts();
        for (const char* label : {"FirstErrorlabel", "SecondErrorlabel"})
            outcome.status.push_back(OkapiForm->findChild<QLabel*>(label)->text().toStdString());
        for (QRadioButton* button : OkapiForm->findChildren<QRadioButton*>())
            if (button->isChecked()) outcome.checked.push_back(button->objectName().toStdString());
        outcome.errorLine = OkapiForm->findChild<QLabel*>("ErrorLabel")->text().toStdString();
    }
    SetModalPresenter(previous);
    return outcome;
}

struct BoardCase {
    const char* name;
    Chip chip;
    uint8_t address;
    int addressItem;
    Fault fault;
    Strings firstFrames;
    Strings checked;
    Strings dialogs;
    std::string errorLine;
};

void PrintTo(const BoardCase& c, std::ostream* out) {
    *out << c.name;
}

const BoardCase kBoards[] = {
    {"QK310At34",
     Chip::QK310,
     0x34,
     0,
     Fault::None,
     {"34 00", "34 00", "35 27"},
     {"QK310RadioButton"},
     {},
     ""},
    {"QK310At36",
     Chip::QK310,
     0x36,
     1,
     Fault::None,
     {"36 00", "36 00", "37 27"},
     {"QK310RadioButton"},
     {},
     ""},
    {"NothingAcknowledges",
     Chip::QK310,
     0x34,
     0,
     Fault::NoDevice,
     {"34"},
     {},
     {"NoDeviceDlgForm"},
     "ACK Error"},
    {"SdaHeldLow",
     Chip::QK310,
     0x34,
     0,
     Fault::SdaStuckLow,
     {},
     {},
     {"NoDeviceDlgForm"},
     "SDA Low"},
    {"SclHeldLow",
     Chip::QK310,
     0x34,
     0,
     Fault::SclStuckLow,
     {},
     {},
     {"NoDeviceDlgForm"},
     "SCL Low"},
};

class StartThroughPpdev : public ::testing::TestWithParam<BoardCase> {};

TEST_P(StartThroughPpdev, SendsTheFramesAndShowsWhatTheBoardItselfGives) {
    const BoardCase& c = GetParam();
    auto makeBoard = [&c] {
        board::VirtualBoard board(c.chip, c.address);
        board.SetFault(c.fault);
        return board;
    };
    board::VirtualBoard direct = makeBoard();
    const StartOutcome expected = Start(direct, direct, c.addressItem);

    board::VirtualBoard behindDriver = makeBoard();
    const EmulatedPpdev device(behindDriver);
    PpdevPort port(EmulatedPpdev::Path);
    const StartOutcome seen = Start(port, behindDriver, c.addressItem);

    EXPECT_EQ(seen, expected);
    EXPECT_GT(EmulatedPpdev::StatusReads(), 0) << "status reads reach the driver";
    ASSERT_GE(seen.frames.size(), c.firstFrames.size());
    EXPECT_EQ(Strings(seen.frames.begin(), seen.frames.begin() + c.firstFrames.size()),
              c.firstFrames);
    EXPECT_EQ(seen.checked, c.checked);
    EXPECT_EQ(seen.dialogs, c.dialogs);
    EXPECT_EQ(seen.errorLine, c.errorLine);
    if (!c.checked.empty()) {
        EXPECT_EQ(seen.status, (Strings{"READY", "READY"}));
    } else {
        EXPECT_EQ(seen.status, (Strings{"SELECT", "DEVICE"}));
    }
}

INSTANTIATE_TEST_SUITE_P(Boards, StartThroughPpdev, ::testing::ValuesIn(kBoards),
                         [](const auto& test) { return std::string(test.param.name); });

// The program with its main window on the driver, after a START that found the QK310.
class OnPpdev : public MainWindowTest {
  protected:
    PortIo& ProgramPort() override { return port_; }
    void SetUp() override {
        MainWindowTest::SetUp();
        ClickStart();
        ASSERT_EQ(CheckedChipButtons(), Strings{"QK310RadioButton"});
        board.ClearFrames();
    }

    EmulatedPpdev device_{board};
    PpdevPort port_{EmulatedPpdev::Path};
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

// --- Ports that cannot be had ---

// The name of a null device node the test makes in a folder of its own.
constexpr char kOwnNullDevice[] = "null";

struct RefusalCase {
    const char* name;
    EmulatedPpdev::Node node;
    const char* device;
    bool heldByAnother;
    const char* reason;
    const char* remedy;
};

void PrintTo(const RefusalCase& c, std::ostream* out) {
    *out << c.name;
}

const RefusalCase kRefusals[] = {
    {"Missing", EmulatedPpdev::Node::Missing, EmulatedPpdev::Path, false,
     "No such file or directory", "modprobe ppdev"},
    {"Forbidden", EmulatedPpdev::Node::Forbidden, EmulatedPpdev::Path, false, "Permission denied",
     "usermod -aG lp"},
    {"NoPortBehind", EmulatedPpdev::Node::NoPort, EmulatedPpdev::Path, false,
     "No such device or address", "modprobe ppdev"},
    {"HeldByAnotherProgram", EmulatedPpdev::Node::Present, EmulatedPpdev::Path, true,
     "Device or resource busy", "Another program holds the port"},
    // A device of another kind (a null device of the test's own) refuses the claim.
    {"NotAParallelPort", EmulatedPpdev::Node::Present, kOwnNullDevice, false, "Inappropriate ioctl",
     "parallel-port device of the ppdev driver"},
};

class Refusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(Refusal, IsToldOnceWithReasonAndRemedyThenThePortIsEmpty) {
    const RefusalCase& c = GetParam();
    board::VirtualBoard board;
    const EmulatedPpdev device(board, c.node);
    PpdevPort otherProgram(EmulatedPpdev::Path);
    if (c.heldByAnother) {
        ASSERT_TRUE(otherProgram.Setup());
    }

    Strings dialogs;
    QString message;
    const ModalPresenter previous = SetModalPresenter([&](QDialog& dialog) {
        dialogs.push_back(dialog.objectName().toStdString());
        if (auto* box = qobject_cast<QMessageBox*>(&dialog)) message = box->text();
    });
    const std::filesystem::path folder = test::ScratchFolder("ppdev-program");
    std::string path = c.device;
    if (path == kOwnNullDevice) {
        std::filesystem::create_directories(folder);
        path = folder / kOwnNullDevice;
        if (!test::MakeMemoryDevice(path, test::MemoryDevice::Null))
            GTEST_SKIP() << "making a device node needs root";
    }
    {
        PpdevPort port(path);
        Program program(port);
        I2CForm->SetTiming(SimulatedMachine(4).Timing());
        program.Show();
        EXPECT_TRUE(OkapiForm->isVisible());
        EXPECT_EQ(dialogs, Strings{"PortSetupMessage"});
        EXPECT_TRUE(message.contains(QString::fromStdString(path))) << message.toStdString();
        EXPECT_TRUE(message.contains(c.reason)) << message.toStdString();
        EXPECT_TRUE(message.contains(c.remedy)) << message.toStdString();

        QTest::mouseClick(OkapiForm->findChild<QAbstractButton*>("StartBitBtn"), Qt::LeftButton);
        EXPECT_EQ(dialogs, (Strings{"PortSetupMessage", "NoDeviceDlgForm"}));
        EXPECT_EQ(OkapiForm->findChild<QLabel*>("ErrorLabel")->text(), "ACK Error")
            << "an empty port: every line reads high, nothing acknowledges";
    }
    SetModalPresenter(previous);
    std::filesystem::remove_all(folder);
    EXPECT_TRUE(board.FrameTexts().empty());
    EXPECT_EQ(EmulatedPpdev::StatusReads(), 0);
}

// Another program holds the port and lets it go while this program's claim sleeps.
TEST(HeldPort, ReleasedWithinTheDeadlineIsClaimedAndStartFindsTheChip) {
    board::VirtualBoard board;
    const EmulatedPpdev device(board);
    const int otherProgram = open(EmulatedPpdev::Path, O_RDWR);
    ASSERT_EQ(ioctl(otherProgram, PPCLAIM), 0);
    bool slept = false;
    std::thread releaser([&] {
        slept = EmulatedPpdev::AwaitSleepingClaim();
        close(otherProgram);
    });
    PpdevPort port(EmulatedPpdev::Path);
    const StartOutcome seen = Start(port, board, 0);
    releaser.join();

    EXPECT_TRUE(slept) << "the claim waits for the holder";
    EXPECT_EQ(seen.dialogs, Strings{});
    EXPECT_EQ(seen.checked, Strings{"QK310RadioButton"});
    ASSERT_FALSE(seen.frames.empty());
    EXPECT_EQ(seen.frames.front(), "34 00");
}

INSTANTIATE_TEST_SUITE_P(Ports, Refusal, ::testing::ValuesIn(kRefusals),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace qk::test
