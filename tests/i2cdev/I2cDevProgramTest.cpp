// The whole program on the i2c-dev bus master, whose open() and ioctl() calls reach an emulated
// I2C adapter with the virtual board behind it; the same user actions on the board's own pins
// (the parallel-port bus master) give the same frames, texts and data log.
#include <QMessageBox>
#include <QPushButton>

#include "tests/gui/QK330Fixture.h"
#include "tests/i2cdev/EmulatedI2cDev.h"

namespace qk::test {
namespace {

using board::Chip;
using board::Fault;
using Strings = std::vector<std::string>;
using Node = EmulatedI2cDev::Node;

enum class Carrier { Pins, Adapter };

// The program on the board's pins, or on the emulated adapter in front of the same board.
template <typename Base>
class On : public Base {
  protected:
    template <typename... Args>
    explicit On(Carrier bus, Args... args) : Base(args...), bus_(bus) {}
    PortIo& ProgramPort() override {
        if (bus_ == Carrier::Adapter) return unused_;
        return this->board;
    }
    std::string AdapterDevice() override {
        return bus_ == Carrier::Adapter ? EmulatedI2cDev::Path : "";
    }

    Carrier bus_;
    UnusedPort unused_;
    EmulatedI2cDev device_{this->board};
};

std::string BusName(Carrier bus) {
    return bus == Carrier::Adapter ? "Adapter" : "Pins";
}

// --- START, with the data log on ---

struct StartCase {
    const char* name;
    Chip chip;
    uint8_t chipAddress;
    Fault fault;
    Strings firstFrames;
    size_t frameCount;
    Strings firstLogLines;
    size_t logLineCount;
    Strings status;
    Strings checked;
    Strings dialogs;
    const char* errorLine;
};

const StartCase kStarts[] = {
    {.name = "QK310",
     .chip = Chip::QK310,
     .chipAddress = 0x34,
     .fault = Fault::None,
     // The probe, the ID read, then the activation (which reads the image back).
     .firstFrames = {"34 00", "34 00", "35 27", "34 00", "35 27", "34 01", "35 00"},
     .frameCount = 86,  // 1 probe, 2 for the ID, 29 reads of 2 frames, 25 writes
     .firstLogLines = {"{0x34 0x0 }", "{0x34 0x0 }", "{0x34 0x1 }"},
     .logLineCount = 55,  // a read logs its sub-address write only
     .status = {"READY", "READY"},
     .checked = {"QK310RadioButton"},
     .dialogs = {},
     .errorLine = ""},
    {.name = "NothingAcknowledges",
     .chip = Chip::QK310,
     .chipAddress = 0x34,
     .fault = Fault::NoDevice,
     .firstFrames = {"34"},
     .frameCount = 1,
     .firstLogLines = {},
     .logLineCount = 0,
     .status = {"SELECT", "DEVICE"},
     .checked = {},
     .dialogs = {"NoDeviceDlgForm"},
     .errorLine = "ACK Error"},
    {.name = "ChipAtTheOtherAddress",
     .chip = Chip::QK310,
     .chipAddress = 0x36,
     .fault = Fault::None,
     .firstFrames = {"34"},  // heard, not acknowledged
     .frameCount = 1,
     .firstLogLines = {},
     .logLineCount = 0,
     .status = {"SELECT", "DEVICE"},
     .checked = {},
     .dialogs = {"NoDeviceDlgForm"},
     .errorLine = "ACK Error"},
};

void PrintTo(const StartCase& c, std::ostream* out) {
    *out << c.name;
}

using StartParam = std::tuple<StartCase, Carrier>;

class Start : public On<MainWindowTest>, public ::testing::WithParamInterface<StartParam> {
  protected:
    Start()
        : On(std::get<Carrier>(GetParam()), std::get<StartCase>(GetParam()).chip,
             std::get<StartCase>(GetParam()).chipAddress) {}
};

TEST_P(Start, GivesTheSameFramesTextsAndDataLogOnEitherBus) {
    const StartCase& c = std::get<StartCase>(GetParam());
    board.SetFault(c.fault);
    Click(OkapiForm, "DataLogCheckBox");
    ClickStart();
    const Strings frames = board.FrameTexts(), log = DataLogLines();
    EXPECT_EQ(frames.size(), c.frameCount);
    EXPECT_EQ(
        Strings(frames.begin(), frames.begin() + std::min(frames.size(), c.firstFrames.size())),
        c.firstFrames);
    EXPECT_EQ(log.size(), c.logLineCount);
    EXPECT_EQ(Strings(log.begin(), log.begin() + std::min(log.size(), c.firstLogLines.size())),
              c.firstLogLines);
    EXPECT_EQ(StatusLines(), c.status);
    EXPECT_EQ(CheckedChipButtons(), c.checked);
    EXPECT_EQ(dialogs, c.dialogs);
    EXPECT_EQ(Text("ErrorLabel"), c.errorLine);
    if (bus_ == Carrier::Adapter) {
        EXPECT_GT(EmulatedI2cDev::Transfers(), 0);
        EXPECT_EQ(EmulatedI2cDev::Messages(), EmulatedI2cDev::Transfers())
            << "one message per transfer: every frame ends in a STOP";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Start,
                         ::testing::Combine(::testing::ValuesIn(kStarts),
                                            ::testing::Values(Carrier::Pins, Carrier::Adapter)),
                         [](const auto& test) {
                             return std::string(std::get<StartCase>(test.param).name) +
                                    BusName(std::get<Carrier>(test.param));
                         });

// --- Bus errors on the adapter after START: PWM INIT's two register writes ---

struct ErrorCase {
    const char* name;
    Fault fault;
    Strings dialogs;
    const char* firstStatus;
    const char* errorLine;
    int transfers;  // I2C_RDWR transfers the two writes cost
};

const ErrorCase kErrors[] = {
    {"NackOnData", Fault::DataNotAcked, {"ACK_ErrorDialogForm"}, "ACK Error", "ACK Error", 2},
    {"ChipGone", Fault::NoDevice, {"ACK_ErrorDialogForm"}, "ACK Error", "ACK Error", 2},
    // A timed-out adapter is asked once, not once per frame, until the errors are reset.
    {"ClockHeldLow", Fault::SclStuckLow, {"WaitErrorDialogForm"}, "Wait Error", "", 1},
};

void PrintTo(const ErrorCase& c, std::ostream* out) {
    *out << c.name;
}

class AfterStart : public On<MainWindowTest>, public ::testing::WithParamInterface<ErrorCase> {
  protected:
    AfterStart() : On(Carrier::Adapter) {}
};

TEST_P(AfterStart, ABusErrorIsShownOnceWithItsDialog) {
    const ErrorCase& c = GetParam();
    ClickStart();
    ASSERT_EQ(CheckedChipButtons(), Strings{"QK310RadioButton"});
    const int transfersBefore = EmulatedI2cDev::Transfers();
    board.SetFault(c.fault);
    Click(OkapiForm, "QK310PWMResetBitBtn");
    EXPECT_EQ(dialogs, c.dialogs);
    EXPECT_EQ(Text("FirstErrorlabel"), c.firstStatus);
    EXPECT_EQ(Text("ErrorLabel").trimmed(), c.errorLine);
    EXPECT_EQ(EmulatedI2cDev::Transfers() - transfersBefore, c.transfers);
}

INSTANTIATE_TEST_SUITE_P(Adapter, AfterStart, ::testing::ValuesIn(kErrors),
                         [](const auto& test) { return std::string(test.param.name); });

// --- The QK330 register editor on the adapter ---

class QK330OnAdapter : public On<QK330Test> {
  protected:
    QK330OnAdapter() : On(Carrier::Adapter) {}
};

TEST_F(QK330OnAdapter, RegisterEditorWriteReachesTheChip) {
    Click(OkapiForm, "QK330RegistersBitBtn");
    Box(0x01, 3)->setChecked(true);
    const int transfersBefore = EmulatedI2cDev::Transfers();
    Click(QK330RegForm, "Reg01SendButton");
    EXPECT_EQ(board.FrameTexts(), Texts{"34 01 80"});
    EXPECT_EQ(board.Register(0x01), 0x80);
    EXPECT_EQ(Shows(0x01), 0x80);
    EXPECT_EQ(EmulatedI2cDev::Transfers() - transfersBefore, 1);
    EXPECT_TRUE(dialogs.empty());
}

// --- The SCL window while the adapter times the clock ---

class SclOnAdapter : public On<MainWindowTest> {
  protected:
    SclOnAdapter() : On(Carrier::Adapter) {}
};

TEST_F(SclOnAdapter, SaysTheAdapterSetsTheClockAndOffersNoCount) {
    EXPECT_EQ(Child<QLabel>(I2CForm, "FreqAdjustLabel")->text(), "By Adapter");
    for (const char* control : {"UpDownFreqAdjust", "FreqAdjustButton", "CalibrateButton"})
        EXPECT_FALSE(Child(I2CForm, control)->isEnabled()) << control;
    EXPECT_TRUE(Child(I2CForm, "CloseButton")->isEnabled());
}

// --- Adapters that cannot be used ---

struct RefusalCase {
    const char* name;
    Node node;
    const char* reason;
    const char* remedy;
};

const RefusalCase kRefusals[] = {
    {"Missing", Node::Missing, "No such file or directory", "modprobe i2c-dev"},
    {"Forbidden", Node::Forbidden, "Permission denied", "usermod -aG i2c"},
    {"SmbusOnly", Node::SmbusOnly, "SMBus commands only", "I2C_FUNC_I2C"},
};

class Refusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(Refusal, IsToldOnceWithReasonAndRemedyThenNothingAcknowledges) {
    const RefusalCase& c = GetParam();
    board::VirtualBoard board;
    const EmulatedI2cDev device(board, c.node);
    Strings dialogs;
    QString title, message;
    const ModalPresenter previous = SetModalPresenter([&](QDialog& dialog) {
        dialogs.push_back(dialog.objectName().toStdString());
        if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
            title = box->windowTitle();
            message = box->text();
        }
    });
    {
        UnusedPort port;
        Program program(port, EmulatedI2cDev::Path);
        program.Show();
        EXPECT_EQ(title, "I2C adapter");
        for (const char* part : {EmulatedI2cDev::Path, c.reason, c.remedy})
            EXPECT_TRUE(message.contains(part)) << message.toStdString();
        QTest::mouseClick(OkapiForm->findChild<QAbstractButton*>("StartBitBtn"), Qt::LeftButton);
        EXPECT_EQ(dialogs, (Strings{"PortSetupMessage", "NoDeviceDlgForm"}));
        EXPECT_EQ(OkapiForm->findChild<QLabel*>("ErrorLabel")->text(), "ACK Error");
    }
    SetModalPresenter(previous);
    EXPECT_TRUE(board.FrameTexts().empty());
    EXPECT_EQ(EmulatedI2cDev::Transfers(), 0);
}

INSTANTIATE_TEST_SUITE_P(Adapters, Refusal, ::testing::ValuesIn(kRefusals),
                         [](const auto& test) { return std::string(test.param.name); });

// Any failure that is neither a missing acknowledge nor a time-out, in the adapter's own words.
class FailingAdapter : public On<MainWindowTest> {
  protected:
    FailingAdapter() : On(Carrier::Adapter) {}
};

TEST_F(FailingAdapter, IsReportedOnceInItsOwnWords) {
    EmulatedI2cDev::SetNode(Node::Failing);
    ClickStart();
    EXPECT_EQ(Text("ErrorLabel"), "/dev/i2c-7: Input/output error");
    EXPECT_EQ(dialogs, Strings{"NoDeviceDlgForm"});
}

}  // namespace
}  // namespace qk::test
