#include <QGuiApplication>
#include <QLabel>
#include <set>

#include "gui/app/Aboutunit.h"
#include "gui/app/FileOpenErrorunit.h"
#include "gui/app/NoDeviceunit.h"
#include "gui/bus/AckErrorDialogunit.h"
#include "gui/bus/BusMonitorunit.h"
#include "gui/bus/Gpiounit.h"
#include "gui/bus/StatusWatchunit.h"
#include "gui/bus/WaitErrorDialogunit.h"
#include "gui/gen1/Balanceunitsixch.h"
#include "gui/gen1/Dcoffsetunit.h"
#include "gui/gen1/Interchdelayunit.h"
#include "gui/gen1/QK310unit.h"
#include "gui/gen1/QK320unit.h"
#include "gui/gen1/Registersunit.h"
#include "gui/gen1/Syscontrol0unit.h"
#include "gui/gen1/Syscontrol1unit.h"
#include "gui/gen1/Testreg0unit.h"
#include "gui/gen1/Testregunit.h"
#include "tests/gui/ProgramFixture.h"

namespace qk::test {
namespace {

using ProgramStart = ProgramTest;

TEST_F(ProgramStart, CreatesEveryWindowInOrderHiddenButTheMainWindow) {
    const std::vector<std::pair<const char*, const char*>> expected = {
        {"RegistersForm", "Registers"},
        {"AboutBox", "About"},
        {"ACK_ErrorDialogForm", "ACK Error!"},
        {"WaitErrorDialogForm", "Wait Error!"},
        {"I2CForm", "SCL Adjust"},
        {"SixChBalanceForm", "Volume Offset"},
        {"DCOffsetForm", "DC Offset"},
        {"InterchDelayForm", "Interchannel Delay"},
        {"SysControl0Form", "System Control 0"},
        {"SysControl1Form", "System Control 1"},
        {"TestReg0Form", "Test Register 0"},
        {"TestRegForm", "Test Registers"},
        {"QK310Form", "QK310Form"},
        {"QK320Form", "QK320Form"},
        {"QK330Form", "QK330Form"},
        {"QK330RegForm", "QK330 Registers"},
        {"QK330TestRegForm", "QK330 Test Registers"},
        {"QK330ChConfigControlRegForm", "Channel Configuration Control Registers"},
        {"QK330DCOffsetForm", "DC Offset"},
        {"QK330InterchDelayForm", "Interchannel Delay"},
        {"QK330SixChBalanceForm", "QK330 Volume Offset"},
        {"QK330PADC_DCOffsetForm", "PADC Offset"},
        {"QK330SEOffsetRegForm", "QK330 SE Offset"},
        {"QK330SysControl1Form", "System Control 1"},
        {"QK330SysControl2Form", "System Control 2"},
        {"QK330SysControl3Form", "System Control 3"},
        {"QK330ModIndexForm", "Modulation Index"},
        {"QK330SerialDataInterfaceCtlForm", "Serial Data Interface Control"},
        {"QK330ErrAndAutomuteDelayForm", "Error Recovery and Automute Delay"},
        {"QK330ChConfigControlForm", "QK330ChConfigControlForm"},
        {"QK330PSCTestReg1Form", "PSC Test Register 1"},
        {"QK330PSCTestReg2Form", "QK330PSCTestReg2Form"},
        {"NoDeviceDlgForm", "No Device Found!"},
        {"QK330TestReg1Form", "Test Register 1"},
        {"QK330TestReg0Form", "Test Register 0"},
        {"FileOpenErrorDlgForm", "Dialog"},
        {"GPIOForm", "Parallel Port Pins"},
        {"SnapshotForm", "Snapshot"},
        {"BusMonitorForm", "Bus Monitor"},
        {"StatusWatchForm", "Status Watch"},
    };
    const QList<QWidget*> windows = SecondaryWindows();
    ASSERT_EQ(windows.size(), qsizetype(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(windows[i]->objectName().toStdString(), expected[i].first);
        EXPECT_EQ(windows[i]->windowTitle().toStdString(), expected[i].second);
        EXPECT_TRUE(windows[i]->isWindow());
        EXPECT_FALSE(windows[i]->isVisible());
        EXPECT_EQ(windows[i]->minimumSize(), windows[i]->maximumSize()) << "fixed size";
    }
    EXPECT_EQ(OkapiForm->objectName(), "OkapiForm");
}

// The dialogs have a title bar with a close box only; every other window a system menu and a
// minimise box as well. None can be maximised.
TEST_F(ProgramStart, WindowsHaveTheFrameOfTheirKind) {
    const std::set<std::string> dialogWindows = {"AboutBox", "ACK_ErrorDialogForm",
                                                 "WaitErrorDialogForm", "NoDeviceDlgForm",
                                                 "FileOpenErrorDlgForm"};
    QList<QWidget*> windows = SecondaryWindows();
    windows.prepend(OkapiForm);
    for (const QWidget* window : windows) {
        const std::string name = window->objectName().toStdString();
        const bool dialog = dialogWindows.contains(name);
        const Qt::WindowFlags flags = window->windowFlags();
        EXPECT_EQ(window->windowType(), dialog ? Qt::Dialog : Qt::Window) << name;
        EXPECT_TRUE(flags.testFlags(Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                    Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint))
            << name;
        EXPECT_EQ(flags.testFlag(Qt::WindowMinimizeButtonHint), !dialog) << name;
        EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint)) << name;
        EXPECT_EQ(window->minimumSize(), window->maximumSize()) << name << ": fixed size";
    }
}

// The window system appends the application's display name to every title once one is set:
// the main window must show "QJ", not "QJ - QK3xx Software".
TEST_F(ProgramStart, TitlesCarryNoApplicationName) {
    const QString name = QCoreApplication::applicationName();
    EXPECT_EQ(name, "QK3xx Software");
    QCoreApplication::setApplicationName("renamed");
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "renamed")
        << "no display name of its own: it follows the application name";
    QCoreApplication::setApplicationName(name);
}

TEST_F(ProgramStart, EndResetsEveryWindowInstance) {
    program.reset();
    const QWidget* instances[] = {OkapiForm,
                                  RegistersForm,
                                  AboutBox,
                                  ACK_ErrorDialogForm,
                                  WaitErrorDialogForm,
                                  I2CForm,
                                  SixChBalanceForm,
                                  DCOffsetForm,
                                  InterchDelayForm,
                                  SysControl0Form,
                                  SysControl1Form,
                                  TestReg0Form,
                                  TestRegForm,
                                  QK310Form,
                                  QK320Form,
                                  QK330Form,
                                  QK330RegForm,
                                  QK330TestRegForm,
                                  QK330ChConfigControlRegForm,
                                  QK330DCOffsetForm,
                                  QK330InterchDelayForm,
                                  QK330SixChBalanceForm,
                                  QK330PADC_DCOffsetForm,
                                  QK330SEOffsetRegForm,
                                  QK330SysControl1Form,
                                  QK330SysControl2Form,
                                  QK330SysControl3Form,
                                  QK330ModIndexForm,
                                  QK330SerialDataInterfaceCtlForm,
                                  QK330ErrAndAutomuteDelayForm,
                                  QK330ChConfigControlForm,
                                  QK330PSCTestReg1Form,
                                  QK330PSCTestReg2Form,
                                  NoDeviceDlgForm,
                                  QK330TestReg1Form,
                                  QK330TestReg0Form,
                                  FileOpenErrorDlgForm,
                                  GPIOForm,
                                  BusMonitorForm,
                                  StatusWatchForm};
    for (size_t window = 0; window < std::size(instances); ++window)
        EXPECT_EQ(instances[window], nullptr) << "window " << window + 1;
    EXPECT_TRUE(SecondaryWindows().isEmpty());
}

}  // namespace
}  // namespace qk::test
