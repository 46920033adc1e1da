// START and chip detection, the OFF LINE box and the I2C address list, on the virtual board.
#include <QComboBox>
#include <QLineEdit>
#include <optional>

#include "core/chips/QK310RegisterImage.h"
#include "gui/bus/Gpiounit.h"
#include "gui/gen1/Registersunit.h"
#include "gui/widgets/Colors.h"
#include "tests/gui/MainWindowFixture.h"

namespace qk::test {
namespace {

using board::Chip;
using board::Fault;
using Strings = std::vector<std::string>;

QK310RegisterImage& Image() {
    return TheSession().FirstGenerationImage();
}

// What the board's chip holds in each register of the first-generation image.
std::array<uint8_t, QK310RegisterImage::Entries> BoardImage(const board::VirtualBoard& board) {
    std::array<uint8_t, QK310RegisterImage::Entries> image{};
    for (int entry = 0; entry < QK310RegisterImage::Entries; ++entry)
        image[entry] = board.Register(QK310RegisterImage::SubAddressOf(entry));
    return image;
}

// --- The identification table ---

struct DetectionCase {
    const char* name;
    Chip chip;
    std::optional<uint8_t> register00;  // overrides the chip's ID register
    Fault fault;
    Strings firstFrames;  // probe (only its address when nobody answers), then the ID read
    Strings shown;
    Strings checked;
    Strings status;
    bool captured;      // the chip's registers were read into the default image
    bool chipSelected;  // the chip's selection ran: window widened, panels switched
    Strings dialogs;
};

void PrintTo(const DetectionCase& c, std::ostream* out) {
    *out << c.name;
}

const Strings kAllFirstGeneration = {"QK310RadioButton", "QK320RadioButton", "QK350RadioButton"};

const DetectionCase kDetectionCases[] = {
    {"QK310",
     Chip::QK310,
     {},
     Fault::None,
     {"34 00", "34 00", "35 27"},
     {"QK310RadioButton"},
     {"QK310RadioButton"},
     {"READY", "READY"},
     true,
     true,
     {}},
    {"QK320",
     Chip::QK320,
     {},
     Fault::None,
     {"34 00", "34 00", "35 1F"},
     {"QK320RadioButton"},
     {"QK320RadioButton"},
     {"READY", "READY"},
     true,
     true,
     {}},
    {"QK350",
     Chip::QK350,
     {},
     Fault::None,
     {"34 00", "34 00", "35 01"},
     {"QK350RadioButton"},
     {},
     {"SELECT", "DEVICE"},
     true,
     false,
     {}},
    {"Id00FromTopBitsOnly",
     Chip::QK310,
     0xC0,
     Fault::None,
     {"34 00", "34 00", "35 C0"},
     {"QK350RadioButton"},
     {},
     {"SELECT", "DEVICE"},
     true,
     false,
     {}},
    {"UnknownChip",
     Chip::Unknown,
     {},
     Fault::None,
     {"34 00", "34 00", "35 3F"},
     kAllFirstGeneration,
     {},
     {"SELECT", "DEVICE"},
     false,
     false,
     {}},
    {"NoDevice",
     Chip::QK310,
     {},
     Fault::NoDevice,
     {"34"},
     kAllFirstGeneration,
     {},
     {"SELECT", "DEVICE"},
     false,
     false,
     {"NoDeviceDlgForm"}},
};

class Detection : public MainWindowTest, public ::testing::WithParamInterface<DetectionCase> {
  protected:
    Detection() : MainWindowTest(GetParam().chip) {}
    void SetUp() override {
        MainWindowTest::SetUp();
        if (GetParam().register00) board.SetRegister(0x00, *GetParam().register00);
        board.SetFault(GetParam().fault);
    }
};

TEST_P(Detection, OffersTheChipTheBoardReports) {
    const DetectionCase& c = GetParam();
    const auto chipRegisters = BoardImage(board);
    ClickStart();

    const Strings frames = board.FrameTexts();
    ASSERT_GE(frames.size(), c.firstFrames.size());
    EXPECT_EQ(Strings(frames.begin(), frames.begin() + c.firstFrames.size()), c.firstFrames);
    if (!c.captured) {
        EXPECT_EQ(frames.size(), c.firstFrames.size()) << "no register read-back";
    }
    EXPECT_EQ(ShownChipButtons(), c.shown);
    EXPECT_EQ(CheckedChipButtons(), c.checked);
    EXPECT_EQ(StatusLines(), c.status);
    EXPECT_EQ(dialogs, c.dialogs);
    EXPECT_FALSE(Shown(OkapiForm, "StartPanel"));
    EXPECT_TRUE(Shown(OkapiForm, "ChipSelectPanel"));
    // A recognised chip needs no power-on defaults: its registers were read instead.
    EXPECT_EQ(OkapiForm->ChipNeedsInit(), !c.captured && !c.chipSelected);
    if (c.captured) {
        EXPECT_EQ(Image().DefaultImage, chipRegisters);
    }
    if (c.chipSelected) {
        EXPECT_EQ(OkapiForm->frameGeometry().width(), 455);
    } else {
        EXPECT_EQ(OkapiForm->width(), 131) << "client area as laid out";
    }
    EXPECT_EQ(Shown(OkapiForm, "QK310ButtonPanel") && Shown(OkapiForm, "QK310MasterVolGroupBox"),
              c.chipSelected);
}

INSTANTIATE_TEST_SUITE_P(StartButton, Detection, ::testing::ValuesIn(kDetectionCases),
                         [](const auto& test) { return std::string(test.param.name); });

using NoDevice = MainWindowTest;

TEST_F(NoDevice, LeavesTheBusErrorStateSetWithoutAnAckDialog) {
    board.SetFault(Fault::NoDevice);
    ClickStart();

    EXPECT_EQ(dialogs, Strings{"NoDeviceDlgForm"}) << "the probe shows no ACK dialog";
    EXPECT_TRUE(Bus().AckError());
    EXPECT_EQ(Bus().AckTimeoutBudget, 0);
    EXPECT_EQ(Text("ErrorLabel"), "ACK Error");
    EXPECT_FALSE(Child<QAbstractButton>(OkapiForm, "I2C_Bypass")->isChecked());
    EXPECT_TRUE(OkapiForm->ChipNeedsInit());
}

TEST_F(NoDevice, FirstChoiceLoadsThePowerOnDefaults) {
    board.SetFault(Fault::NoDevice);
    ClickStart();
    Click(OkapiForm, "QK320RadioButton");

    EXPECT_EQ(Image().DefaultImage, QK320PowerOnDefaults);
    EXPECT_FALSE(OkapiForm->ChipNeedsInit());
    EXPECT_EQ(StatusLines(), (Strings{"READY", "READY"}));
}

using Start = MainWindowTest;

TEST_F(Start, ShowsWorkingOnTheStartButton) {
    board.SetFault(Fault::NoDevice);
    ClickStart();
    EXPECT_EQ(Child<QAbstractButton>(OkapiForm, "StartBitBtn")->text(), "WORKING");
}

TEST_F(Start, ChipAlreadyCheckedIsNotSelectedAgain) {
    ClickStart();
    qk::OpenWindow(RegistersForm);
    ClickOffLine();
    board.ClearFrames();
    ClickOffLine();  // cleared: START runs again and finds the QK310 once more

    EXPECT_EQ(board.FrameTexts().at(0), "34 00");
    EXPECT_EQ(CheckedChipButtons(), Strings{"QK310RadioButton"});
    EXPECT_TRUE(RegistersForm->isVisible()) << "the chip change step did not run again";
    EXPECT_EQ(Text("SecondErrorlabel"), "  ");
}

class QK350Board : public MainWindowTest {
  protected:
    QK350Board() : MainWindowTest(Chip::QK350) {}
};

TEST_F(QK350Board, DetectedAgainAfterItWasChosenIsOfferedUncheckedForTheUserToPick) {
    ClickStart();
    Click(OkapiForm, "QK350RadioButton");
    ASSERT_EQ(CheckedChipButtons(), Strings{"QK350RadioButton"});
    ClickOffLine();
    ClickOffLine();

    EXPECT_EQ(ShownChipButtons(), Strings{"QK350RadioButton"});
    EXPECT_TRUE(CheckedChipButtons().empty());
    EXPECT_EQ(StatusLines(), (Strings{"SELECT", "DEVICE"}));
}

// --- OFF LINE ---

using OffLine = MainWindowTest;

TEST_F(OffLine, BeforeStartSkipsTheBusAndOffersTheFirstGeneration) {
    const uint64_t accessesBefore = board.PortAccesses();
    ClickOffLine();
    EXPECT_EQ(TextColor(Child(OkapiForm, "I2C_Bypass")), BgrColor(clRed));
    EXPECT_TRUE(Bus().OffLine());
    ClickStart();

    EXPECT_EQ(board.PortAccesses(), accessesBefore) << "no calibration, no probe";
    EXPECT_TRUE(board.Frames().empty());
    EXPECT_TRUE(dialogs.empty());
    EXPECT_EQ(ShownChipButtons(), kAllFirstGeneration);
    EXPECT_EQ(StatusLines(), (Strings{"SELECT", "DEVICE"}));
    EXPECT_FALSE(Shown(OkapiForm, "StartPanel"));
    EXPECT_TRUE(OkapiForm->ChipNeedsInit());
}

TEST_F(OffLine, FirstChoiceLoadsDefaultsAndSendsNothing) {
    ClickOffLine();
    ClickStart();
    Click(OkapiForm, "QK310RadioButton");

    EXPECT_EQ(Image().DefaultImage, QK310PowerOnDefaults);
    EXPECT_FALSE(OkapiForm->ChipNeedsInit());
    EXPECT_TRUE(board.Frames().empty());
    EXPECT_EQ(OkapiForm->frameGeometry().width(), 455);
}

TEST_F(OffLine, ClearingItRunsStartAlthoughTheStartButtonIsHidden) {
    ClickOffLine();
    ClickStart();
    Click(OkapiForm, "QK320RadioButton");
    ASSERT_FALSE(Shown(OkapiForm, "StartBitBtn") && Shown(OkapiForm, "StartPanel"));
    const auto chipRegisters = BoardImage(board);

    ClickOffLine();

    EXPECT_FALSE(Bus().OffLine());
    EXPECT_EQ(TextColor(Child(OkapiForm, "I2C_Bypass")), BgrColor(clNavy));
    const Strings frames = board.FrameTexts();
    ASSERT_GE(frames.size(), 3u);
    EXPECT_EQ(Strings(frames.begin(), frames.begin() + 3), (Strings{"34 00", "34 00", "35 27"}));
    EXPECT_EQ(ShownChipButtons(), Strings{"QK310RadioButton"});
    EXPECT_EQ(CheckedChipButtons(), Strings{"QK310RadioButton"});
    EXPECT_EQ(Image().DefaultImage, chipRegisters);
}

TEST_F(OffLine, ClearingItWithNoBoardTellsNoDeviceFound) {
    ClickOffLine();
    ClickStart();
    board.SetFault(Fault::NoDevice);
    ClickOffLine();

    EXPECT_EQ(dialogs, Strings{"NoDeviceDlgForm"});
    EXPECT_EQ(ShownChipButtons(), kAllFirstGeneration);
    EXPECT_EQ(StatusLines(), (Strings{"SELECT", "DEVICE"}));
}

// --- I2C address ---

class SecondAddressBoard : public MainWindowTest {
  protected:
    SecondAddressBoard() : MainWindowTest(Chip::QK310, 0x36) {}
    void TypeAddress(const char* text) {
        QLineEdit* edit = Child<QComboBox>(OkapiForm, "IICAddressComboBox")->lineEdit();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, text);
    }
};

TEST_F(SecondAddressBoard, ChosenBeforeStartIsProbedAndRead) {
    TypeAddress("0x1B");
    EXPECT_EQ(TheSession().DeviceAddress(), 0x36);
    EXPECT_TRUE(board.Frames().empty()) << "choosing an address sends nothing";
    ClickStart();

    const Strings frames = board.FrameTexts();
    ASSERT_GE(frames.size(), 3u);
    EXPECT_EQ(Strings(frames.begin(), frames.begin() + 3), (Strings{"36 00", "36 00", "37 27"}));
    EXPECT_EQ(CheckedChipButtons(), Strings{"QK310RadioButton"});
    EXPECT_TRUE(dialogs.empty());
}

TEST_F(SecondAddressBoard, PickedFromTheListWithTheArrowKeys) {
    QComboBox* list = Child<QComboBox>(OkapiForm, "IICAddressComboBox");
    QTest::keyClick(list, Qt::Key_Down);  // no item selected yet: the first
    QTest::keyClick(list, Qt::Key_Down);
    ASSERT_EQ(list->currentText(), "0x1B");
    EXPECT_EQ(TheSession().DeviceAddress(), 0x36);
}

TEST_F(SecondAddressBoard, TypedTextNamingNoItemMeansTheFirstAddress) {
    TypeAddress("0x1B");
    TypeAddress("0x77");
    EXPECT_EQ(TheSession().DeviceAddress(), 0x34);
    ClickStart();

    EXPECT_EQ(board.FrameTexts(), Strings{"34"}) << "a probe at 0x34 that nobody answers";
    EXPECT_EQ(dialogs, Strings{"NoDeviceDlgForm"}) << "the board listens at 0x36 only";
}

TEST_F(Start, WithNothingChosenUsesTheFirstAddress) {
    QComboBox* list = Child<QComboBox>(OkapiForm, "IICAddressComboBox");
    EXPECT_EQ(list->currentIndex(), -1);
    EXPECT_EQ(list->currentText(), "0x1A");
    ClickStart();
    EXPECT_EQ(board.FrameTexts().at(0), "34 00");
    EXPECT_EQ(TheSession().DeviceAddress(), 0x34);
}

// --- Chip selection ---

using ChipSelection = MainWindowTest;

TEST_F(ChipSelection, ClosesEveryWindowButThePinsWindowAndWidensTheMainWindow) {
    ClickOffLine();
    ClickStart();
    for (QWidget* window : QList<QWidget*>{RegistersForm, GPIOForm, I2CForm, QK330RegForm})
        qk::OpenWindow(window);

    Click(OkapiForm, "QK350RadioButton");

    EXPECT_EQ(VisibleWindows(), Strings{"GPIOForm"});
    EXPECT_EQ(OkapiForm->frameGeometry().width(), 455);
    EXPECT_EQ(OkapiForm->pos(), QPoint(6, 6));
    EXPECT_EQ(StatusLines(), (Strings{"READY", "READY"}));
    EXPECT_EQ(Image().DefaultImage, QK320PowerOnDefaults) << "QK350/60 uses the QK320 model";
    for (const char* name : {"QK310RadioButton", "QK320RadioButton", "QK330RadioButton",
                             "QK340RadioButton", "QK350RadioButton"}) {
        QWidget* button = Child(OkapiForm, name);
        EXPECT_EQ(TextColor(button), BgrColor(clBlack)) << name;
        EXPECT_EQ(button->palette().color(QPalette::Window), BgrColor(clBtnFace)) << name;
    }
    EXPECT_EQ(Child(OkapiForm, "ChipSelectPanel")->palette().color(QPalette::Window),
              BgrColor(clBtnFace));
}

TEST_F(ChipSelection, SwitchesBetweenTheTwoGenerationsPanels) {
    ClickOffLine();
    ClickStart();
    OkapiForm->QK330RadioButtonClick();
    EXPECT_TRUE(Shown(OkapiForm, "QK330ButtonPanel"));
    EXPECT_TRUE(Shown(OkapiForm, "QK330MasterVolGroupBox"));
    EXPECT_FALSE(Shown(OkapiForm, "QK310ButtonPanel"));
    EXPECT_FALSE(Shown(OkapiForm, "QK310MasterVolGroupBox"));
    EXPECT_FALSE(OkapiForm->ChipNeedsInit());

    Click(OkapiForm, "QK310RadioButton");
    EXPECT_TRUE(Shown(OkapiForm, "QK310ButtonPanel"));
    EXPECT_TRUE(Shown(OkapiForm, "QK310MasterVolGroupBox"));
    EXPECT_FALSE(Shown(OkapiForm, "QK330ButtonPanel"));
    EXPECT_FALSE(Shown(OkapiForm, "QK330MasterVolGroupBox"));
    const std::array<uint8_t, QK310RegisterImage::Entries> untouched{};
    EXPECT_EQ(Image().DefaultImage, untouched)
        << "the flag was cleared by the QK330 choice: no defaults loaded now";
}

TEST_F(ChipSelection, ChoosingAgainRunsTheChipChangeAgainWithoutReloadingDefaults) {
    ClickOffLine();
    ClickStart();
    Click(OkapiForm, "QK310RadioButton");
    Image().DefaultImage.fill(0xAA);
    qk::OpenWindow(RegistersForm);

    Click(OkapiForm, "QK320RadioButton");

    EXPECT_FALSE(RegistersForm->isVisible());
    EXPECT_EQ(Image().DefaultImage[0], 0xAA);
}

}  // namespace
}  // namespace qk::test

namespace qk::test {
namespace {

using ChipButtonClicks = MainWindowTest;

TEST_F(ChipButtonClicks, ClickingTheCheckedButtonAgainChangesNothing) {
    ClickStart();
    ASSERT_TRUE(Child<QAbstractButton>(OkapiForm, "QK310RadioButton")->isChecked());
    OpenWindow(RegistersForm);
    board.ClearFrames();
    Click(OkapiForm, "QK310RadioButton");
    EXPECT_TRUE(board.FrameTexts().empty()) << "no second activation";
    EXPECT_TRUE(RegistersForm->isVisible()) << "no chip change closes the windows";
}

}  // namespace
}  // namespace qk::test
