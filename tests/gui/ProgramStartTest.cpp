#include <QLabel>

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

}  // namespace
}  // namespace qk::test
