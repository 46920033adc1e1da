// The main window's layout and control panel: log box, help document, windows it opens, login,
// EXIT, and the dialogs it shows.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>

#include "gui/app/Aboutunit.h"
#include "gui/app/FileOpenErrorunit.h"
#include "gui/app/HelpDocument.h"
#include "gui/app/NoDeviceunit.h"
#include "gui/bus/Gpiounit.h"
#include "gui/gen1/Registersunit.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/UpDown.h"
#include "tests/gui/MainWindowFixture.h"

namespace qk::test {
namespace {

using Strings = std::vector<std::string>;

std::vector<std::string> LabelTexts(QWidget* dialog, int count) {
    std::vector<std::string> texts;
    for (int i = 1; i <= count; ++i) {
        const std::string name = "Label" + std::to_string(i);
        const auto* label = dialog->findChild<QLabel*>(QString::fromStdString(name));
        texts.push_back(label ? label->text().toStdString() : "<no " + name + ">");
    }
    return texts;
}

// --- Layout ---

using Layout = MainWindowTest;

TEST_F(Layout, MainWindowBeforeStart) {
    EXPECT_EQ(OkapiForm->windowTitle(), "QJ");
    EXPECT_EQ(OkapiForm->size(), QSize(131, 450));
    EXPECT_EQ(OkapiForm->minimumSize(), OkapiForm->maximumSize()) << "fixed size";
    EXPECT_EQ(StatusLines(), (Strings{"SELECT", "START"}));
    EXPECT_EQ(Text("ErrorLabel"), "");
    EXPECT_TRUE(Shown(OkapiForm, "StartPanel"));
    EXPECT_EQ(ShownChipButtons(),
              (Strings{"QK310RadioButton", "QK320RadioButton", "QK350RadioButton"}));
    EXPECT_TRUE(CheckedChipButtons().empty());
    // START covers the chip buttons: it lies on top, at the same place.
    QWidget* start = Child(OkapiForm, "StartPanel");
    QWidget* chips = Child(OkapiForm, "ChipSelectPanel");
    EXPECT_EQ(start->geometry(), chips->geometry());
    EXPECT_EQ(OkapiForm->childAt(start->geometry().center() + QPoint(0, 40)), start);
    // So does EXIT cover the login button.
    QWidget* hidden = Child(OkapiForm, "HiddenButton");
    EXPECT_TRUE(Child(OkapiForm, "ExitBitBtn")->geometry().contains(hidden->geometry()));
    EXPECT_NE(OkapiForm->childAt(hidden->geometry().center()), hidden);
    EXPECT_FALSE(Shown(OkapiForm, "LoginEdit"));
    EXPECT_FALSE(Shown(OkapiForm, "LoginButton"));
    EXPECT_EQ(Child<QLineEdit>(OkapiForm, "LoginEdit")->echoMode(), QLineEdit::Password);
    // The volume panel lies right of the visible area until a chip is chosen.
    EXPECT_GE(Child(OkapiForm, "VolumeGroupBox")->x(), 131);
    EXPECT_LE(Child(OkapiForm, "QK310ButtonPanel")->geometry().right(), 455);
}

TEST_F(Layout, Captions) {
    const std::pair<const char*, const char*> captions[] = {
        {"StartBitBtn", "START"},
        {"AboutBitBtn", "&About"},
        {"SCLAdjustButton", "IIC SETUP"},
        {"DataLogCheckBox", "DataLog On>"},
        {"I2C_Bypass", "OFF LINE>   "},
        {"GPIOBitBtn", "GPIO"},
        {"HiddenButton", "Login&!"},
        {"LoginButton", "Enter"},
        {"ExitBitBtn", "E&XIT"},
        {"QK350RadioButton", "QK350 / 60"},
        {"QK310InitSWBitBtn", "&RESET"},
        {"QK330ChannelSetupBitBtn", "VOL INC"},
        {"QK310ChannelSetupBitBtn", "VOL OFFSET"},
        {"ConfCtlBitBtn", "CONFIG CTL"},
        {"MasterVolZeroBitBtn", "0.0"},
        {"Volume6CheckBox", "six"},
    };
    for (auto [name, caption] : captions)
        EXPECT_EQ(Child<QAbstractButton>(OkapiForm, name)->text().toStdString(), caption) << name;
    EXPECT_EQ(Text("Label1"), "IIC Address");
    EXPECT_EQ(Text("Ch3Readout"), " 0.0 dB  ");
    EXPECT_EQ(Text("Ch6HexReadout"), "0x00");
    EXPECT_EQ(Text("QK330MasterVolMinLabel"), "-150.5");
    EXPECT_EQ(Child(OkapiForm, "DataLogCheckBox")->toolTip(),
              "Will log I2C Transactions to a file: DataLog.txt");
    EXPECT_EQ(Child(OkapiForm, "I2C_Bypass")->toolTip(), "Checked will not write to part");
}

TEST_F(Layout, Colours) {
    const std::tuple<const char*, uint32_t> textColours[] = {
        {"FirstErrorlabel", clLime},  {"SecondErrorlabel", clLime},  {"ErrorLabel", clRed},
        {"StartBitBtn", clRed},       {"QK310RadioButton", clLime},  {"I2C_Bypass", clNavy},
        {"ExitBitBtn", clBlue},       {"QK330InitSWBitBtn", clBlue}, {"Volume1CheckBox", clNavy},
        {"MasterVolReadout", clLime}, {"Label15", clMaroon},
    };
    for (auto [name, colour] : textColours)
        EXPECT_EQ(TextColor(Child(OkapiForm, name)), BgrColor(colour)) << name;
    for (const char* name : {"FirstErrorlabel", "ErrorLabel", "ChipSelectPanel", "Ch1Readout"})
        EXPECT_EQ(Child(OkapiForm, name)->palette().color(QPalette::Window), BgrColor(clBlack))
            << name;
    EXPECT_TRUE(Child(OkapiForm, "FirstErrorlabel")->font().bold());
    EXPECT_TRUE(Child(OkapiForm, "ExitBitBtn")->font().bold());
}

TEST_F(Layout, AddressList) {
    auto* list = Child<QComboBox>(OkapiForm, "IICAddressComboBox");
    EXPECT_TRUE(list->isEditable());
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(0), "0x1A");
    EXPECT_EQ(list->itemText(1), "0x1B");
    EXPECT_EQ(list->currentText(), "0x1A");
    EXPECT_EQ(list->currentIndex(), -1);
}

struct MasterVolumeCase {
    const char* slider;
    const char* upDown;
    int maximum;
    int position;
    int tickInterval;
};

TEST_F(Layout, MasterVolumeControls) {
    const MasterVolumeCase cases[] = {
        {"MasterVolTrackBar", "MasterVolUpDown", 249, 48, 10},
        {"QK330MasterVolTrackBar", "QK330MasterVolUpDown", 1262, 287, 1262},
    };
    for (const MasterVolumeCase& c : cases) {
        auto* slider = Child<QSlider>(OkapiForm, c.slider);
        EXPECT_EQ(slider->orientation(), Qt::Vertical);
        EXPECT_EQ(slider->minimum(), 0);
        EXPECT_EQ(slider->maximum(), c.maximum);
        EXPECT_EQ(slider->value(), c.position);
        EXPECT_EQ(slider->pageStep(), 6);
        EXPECT_EQ(slider->tickInterval(), c.tickInterval);
        EXPECT_TRUE(slider->invertedAppearance()) << "position 0 at the top";
        auto* upDown = Child<UpDown>(OkapiForm, c.upDown);
        EXPECT_EQ(upDown->maximum(), c.maximum);
        EXPECT_EQ(upDown->position(), c.position);
        EXPECT_EQ(upDown->increment(), -1);
    }
    EXPECT_FALSE(Shown(OkapiForm, "QK310MasterVolGroupBox"));
    EXPECT_FALSE(Shown(OkapiForm, "QK330MasterVolGroupBox"));
    EXPECT_FALSE(Shown(OkapiForm, "QK330ButtonPanel"));
    for (int n = 1; n <= 6; ++n) {
        const std::string box = "Volume" + std::to_string(n) + "CheckBox";
        EXPECT_TRUE(Child<QAbstractButton>(OkapiForm, box.c_str())->isChecked()) << box;
    }
}

// --- Windows opened from the control panel ---

using ControlPanel = MainWindowTest;

TEST_F(ControlPanel, ButtonsOpenTheirWindows) {
    const std::pair<const char*, QWidget*> buttons[] = {
        {"SCLAdjustButton", I2CForm}, {"GPIOBitBtn", GPIOForm}, {"AboutBitBtn", AboutBox}};
    for (auto [button, window] : buttons) {
        Click(OkapiForm, button);
        EXPECT_TRUE(window->isVisible()) << button;
    }
    EXPECT_TRUE(dialogs.empty()) << "none of them is modal";
}

TEST_F(ControlPanel, AboutBoxShowsVersionAndClosesWithOk) {
    Click(OkapiForm, "AboutBitBtn");
    EXPECT_EQ(AboutBox->windowTitle(), "About");
    EXPECT_EQ(Child<QLabel>(AboutBox, "Version")->text(), "Ver 3.1");
    EXPECT_EQ(Child<QLabel>(AboutBox, "Comments")->text(),
              "QK310/QK320/QK350/QK360 Configuration Software");
    EXPECT_EQ(Child<QLabel>(AboutBox, "DateLabel")->text(), "Feb. 11, 2004");
    EXPECT_FALSE(Child<QLabel>(AboutBox, "ProductName")->text().isEmpty());
    EXPECT_FALSE(Child<QLabel>(AboutBox, "Copyright")->text().isEmpty());
    Click(AboutBox, "OKButton");
    EXPECT_FALSE(AboutBox->isVisible());
}

// --- Dialogs ---

using Dialogs = MainWindowTest;

TEST_F(Dialogs, NoDeviceFound) {
    EXPECT_EQ(NoDeviceDlgForm->windowTitle(), "No Device Found!");
    EXPECT_EQ(
        LabelTexts(NoDeviceDlgForm, 6),
        (Strings{"A DEVICE WAS NOT FOUND!", "    Verify:", "        1)The device is powered on.",
                 "        2)The parallel port is connected.",
                 "        3)The parallel port is in EPP mode.", "OFF-LINE MODE ACTIVATED."}));
    EXPECT_EQ(NoDeviceDlgForm->palette().color(QPalette::Window), BgrColor(clSilver));
    NoDeviceDlgForm->open();
    Click(NoDeviceDlgForm, "CloseButton");
    EXPECT_FALSE(NoDeviceDlgForm->isVisible());
    EXPECT_EQ(NoDeviceDlgForm->result(), QDialog::Accepted);
}

TEST_F(Dialogs, FileOpenError) {
    EXPECT_EQ(FileOpenErrorDlgForm->windowTitle(), "Dialog");
    EXPECT_EQ(FileOpenErrorDlgForm->width(), 603);
    EXPECT_EQ(
        LabelTexts(FileOpenErrorDlgForm, 6),
        (Strings{"Read Error!", "Could Not Open \"MRX OI.PDF\"", "VERIFY:",
                 "1) The \"MRX OI.PDF\" file exists in the directory where this program resides.",
                 "2) Adobe Acrobat Reader version 5.0 or greater has been installed.",
                 "3) \"PDF\" files are associated with Adobe Acrobat Reader within Windows."}));
    EXPECT_EQ(FileOpenErrorDlgForm->palette().color(QPalette::Window), BgrColor(clSilver));
    FileOpenErrorDlgForm->open();
    Click(FileOpenErrorDlgForm, "OKBtn");
    EXPECT_FALSE(FileOpenErrorDlgForm->isVisible());
    EXPECT_EQ(FileOpenErrorDlgForm->result(), QDialog::Accepted);
}

// --- Hidden-controls login ---

class Login : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        // The two controls are laid out hidden by their own windows; stand-ins where they are
        // not built yet.
        testButton_ = ControlOrStandIn(RegistersForm, "TestRegBitBtn");
        reservedBox_ = ControlOrStandIn(QK330RegForm, "ReservedGroupBox");
        OkapiForm->activateWindow();  // accelerators work in the active window
        ASSERT_TRUE(QTest::qWaitForWindowActive(OkapiForm));
    }
    static QWidget* ControlOrStandIn(QWidget* window, const char* name) {
        QWidget* control = window->findChild<QWidget*>(name);
        if (!control) {
            control = new QGroupBox(window);
            control->setObjectName(name);
        }
        control->hide();
        return control;
    }
    // Alt+! presses the covered button, which clicks when the press animation has run.
    static void PressLoginAccelerator() {
        QTest::keyClick(OkapiForm, Qt::Key_Exclam, Qt::AltModifier);
        auto* button = Child<QAbstractButton>(OkapiForm, "HiddenButton");
        EXPECT_TRUE(button->isDown()) << "the accelerator reached the button";
        EXPECT_TRUE(QTest::qWaitFor([button] { return !button->isDown(); }));
    }
    void LogIn(const char* code) {
        PressLoginAccelerator();
        QWidget* edit = Child(OkapiForm, "LoginEdit");
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, code);
    }
    bool HiddenControlsShown() const {
        return !testButton_->isHidden() && !reservedBox_->isHidden();
    }
    bool HiddenControlsHidden() const {
        return testButton_->isHidden() && reservedBox_->isHidden();
    }

    QWidget* testButton_ = nullptr;
    QWidget* reservedBox_ = nullptr;
};

TEST_F(Login, AcceleratorOfTheCoveredButtonOpensTheLogin) {
    PressLoginAccelerator();
    EXPECT_TRUE(Shown(OkapiForm, "LoginEdit"));
    EXPECT_TRUE(Shown(OkapiForm, "LoginButton"));
    EXPECT_EQ(QApplication::focusWidget(), Child(OkapiForm, "LoginEdit"));
}

TEST_F(Login, EitherAccessCodeShowsTheHiddenControls) {
    for (const char* code : {"pelmak", "elmakp"}) {
        LogIn(code);
        Click(OkapiForm, "LoginButton");
        EXPECT_TRUE(HiddenControlsShown()) << code;
        EXPECT_FALSE(Shown(OkapiForm, "LoginEdit")) << code;
        EXPECT_FALSE(Shown(OkapiForm, "LoginButton")) << code;
        testButton_->hide();
        reservedBox_->hide();
    }
}

TEST_F(Login, WrongCodeKeepsTheLoginOpen) {
    for (const char* code : {"PELMAK", "pelma", "pelmak "}) {
        LogIn(code);
        Click(OkapiForm, "LoginButton");
        EXPECT_TRUE(HiddenControlsHidden()) << code;
        EXPECT_TRUE(Shown(OkapiForm, "LoginEdit")) << code;
    }
}

TEST_F(Login, WrongCodeAfterARightOneHidesTheControlsAgain) {
    LogIn("pelmak");
    QTest::keyClick(Child(OkapiForm, "LoginEdit"), Qt::Key_Return);
    ASSERT_TRUE(HiddenControlsShown());

    LogIn("nope");
    QTest::keyClick(Child(OkapiForm, "LoginEdit"), Qt::Key_Return);
    EXPECT_TRUE(HiddenControlsHidden());
}

// --- EXIT ---

// Counts the application's quit requests, and lets them through.
class QuitCounter : public QObject {
  public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Quit) ++count;
        return false;
    }
};

using Exit = MainWindowTest;

TEST_F(Exit, EndsTheProgramWhileOtherWindowsAreOpen) {
    qk::OpenWindow(GPIOForm);
    qk::OpenWindow(RegistersForm);
    QuitCounter quits;
    qApp->installEventFilter(&quits);
    int quitsByExit = -1;
    QTimer::singleShot(0, [&] {
        Click(OkapiForm, "ExitBitBtn");
        quitsByExit = quits.count;
    });
    QTimer::singleShot(0, [] { QCoreApplication::quit(); });  // ends the loop in any case
    QApplication::exec();
    qApp->removeEventFilter(&quits);

    EXPECT_EQ(quitsByExit, 1);
    EXPECT_FALSE(OkapiForm->isVisible());
    EXPECT_TRUE(VisibleWindows().empty());
}

}  // namespace
}  // namespace qk::test
