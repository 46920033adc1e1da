#include "gui/registry/Forms.h"

// The instances, set by the program as it creates its windows.
TOkapiForm* OkapiForm = nullptr;
TRegistersForm* RegistersForm = nullptr;
TAboutBox* AboutBox = nullptr;
TACK_ErrorDialogForm* ACK_ErrorDialogForm = nullptr;
TWaitErrorDialogForm* WaitErrorDialogForm = nullptr;
TI2CForm* I2CForm = nullptr;
TSixChBalanceForm* SixChBalanceForm = nullptr;
TDCOffsetForm* DCOffsetForm = nullptr;
TInterchDelayForm* InterchDelayForm = nullptr;
TSysControl0Form* SysControl0Form = nullptr;
TSysControl1Form* SysControl1Form = nullptr;
TTestReg0Form* TestReg0Form = nullptr;
TTestRegForm* TestRegForm = nullptr;
TQK310Form* QK310Form = nullptr;
TQK320Form* QK320Form = nullptr;
TNoDeviceDlgForm* NoDeviceDlgForm = nullptr;
TFileOpenErrorDlgForm* FileOpenErrorDlgForm = nullptr;
TGPIOForm* GPIOForm = nullptr;
TQK330Form* QK330Form = nullptr;
TQK330RegForm* QK330RegForm = nullptr;
TQK330TestRegForm* QK330TestRegForm = nullptr;
TQK330ChConfigControlRegForm* QK330ChConfigControlRegForm = nullptr;
TQK330DCOffsetForm* QK330DCOffsetForm = nullptr;
TQK330InterchDelayForm* QK330InterchDelayForm = nullptr;
TQK330SixChBalanceForm* QK330SixChBalanceForm = nullptr;
TQK330PADC_DCOffsetForm* QK330PADC_DCOffsetForm = nullptr;
TQK330SEOffsetRegForm* QK330SEOffsetRegForm = nullptr;
TQK330SysControl1Form* QK330SysControl1Form = nullptr;
TQK330SysControl2Form* QK330SysControl2Form = nullptr;
TQK330SysControl3Form* QK330SysControl3Form = nullptr;
TQK330ModIndexForm* QK330ModIndexForm = nullptr;
TQK330SerialDataInterfaceCtlForm* QK330SerialDataInterfaceCtlForm = nullptr;
TQK330ErrAndAutomuteDelayForm* QK330ErrAndAutomuteDelayForm = nullptr;
TQK330ChConfigControlForm* QK330ChConfigControlForm = nullptr;
TQK330PSCTestReg1Form* QK330PSCTestReg1Form = nullptr;
TQK330PSCTestReg2Form* QK330PSCTestReg2Form = nullptr;
TQK330TestReg1Form* QK330TestReg1Form = nullptr;
TQK330TestReg0Form* QK330TestReg0Form = nullptr;
TSnapshotForm* SnapshotForm = nullptr;
TBusMonitorForm* BusMonitorForm = nullptr;
TStatusWatchForm* StatusWatchForm = nullptr;

namespace qk {

namespace {
QList<QWidget*> g_windows;
}  // namespace

void SetSecondaryWindows(QList<QWidget*> windows) {
    g_windows = std::move(windows);
}

QList<QWidget*> SecondaryWindows() {
    return g_windows;
}

QWidget* WindowNamed(const char* instanceName) {
    for (QWidget* window : g_windows)
        if (window->objectName() == QLatin1String(instanceName)) return window;
    return nullptr;
}

bool WatchesTheBus(const QWidget& window) {
    for (const char* name : {"GPIOForm", "BusMonitorForm", "StatusWatchForm"})
        if (window.objectName() == QLatin1String(name)) return true;
    return false;
}

void OpenWindow(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace qk
