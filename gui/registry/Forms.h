#pragma once
// The program's windows, one global instance each, created at start in this order and alive until
// the program ends (the program sets them). Windows open each other through these; the state they
// share is the chip session's.
#include <QWidget>

class TOkapiForm;
class TRegistersForm;
class TAboutBox;
class TACK_ErrorDialogForm;
class TWaitErrorDialogForm;
class TI2CForm;
class TSixChBalanceForm;
class TDCOffsetForm;
class TInterchDelayForm;
class TSysControl0Form;
class TSysControl1Form;
class TTestReg0Form;
class TTestRegForm;
class TQK310Form;
class TQK320Form;
class TQK330Form;
class TNoDeviceDlgForm;
class TFileOpenErrorDlgForm;
class TGPIOForm;
class TQK330RegForm;
class TQK330TestRegForm;
class TQK330ChConfigControlRegForm;
class TQK330DCOffsetForm;
class TQK330InterchDelayForm;
class TQK330SixChBalanceForm;
class TQK330PADC_DCOffsetForm;
class TQK330SEOffsetRegForm;
class TQK330SysControl1Form;
class TQK330SysControl2Form;
class TQK330SysControl3Form;
class TQK330ModIndexForm;
class TQK330SerialDataInterfaceCtlForm;
class TQK330ErrAndAutomuteDelayForm;
class TQK330ChConfigControlForm;
class TQK330PSCTestReg1Form;
class TQK330PSCTestReg2Form;
class TQK330TestReg1Form;
class TQK330TestReg0Form;
class TSnapshotForm;
class TBusMonitorForm;
class TStatusWatchForm;

extern TOkapiForm* OkapiForm;
extern TRegistersForm* RegistersForm;
extern TAboutBox* AboutBox;
extern TACK_ErrorDialogForm* ACK_ErrorDialogForm;
extern TWaitErrorDialogForm* WaitErrorDialogForm;
extern TI2CForm* I2CForm;
extern TSixChBalanceForm* SixChBalanceForm;
extern TDCOffsetForm* DCOffsetForm;
extern TInterchDelayForm* InterchDelayForm;
extern TSysControl0Form* SysControl0Form;
extern TSysControl1Form* SysControl1Form;
extern TTestReg0Form* TestReg0Form;
extern TTestRegForm* TestRegForm;
extern TQK310Form* QK310Form;
extern TQK320Form* QK320Form;
extern TNoDeviceDlgForm* NoDeviceDlgForm;
extern TFileOpenErrorDlgForm* FileOpenErrorDlgForm;
extern TGPIOForm* GPIOForm;

extern TQK330Form* QK330Form;
extern TQK330RegForm* QK330RegForm;
extern TQK330TestRegForm* QK330TestRegForm;
extern TQK330ChConfigControlRegForm* QK330ChConfigControlRegForm;
extern TQK330DCOffsetForm* QK330DCOffsetForm;
extern TQK330InterchDelayForm* QK330InterchDelayForm;
extern TQK330SixChBalanceForm* QK330SixChBalanceForm;
extern TQK330PADC_DCOffsetForm* QK330PADC_DCOffsetForm;
extern TQK330SEOffsetRegForm* QK330SEOffsetRegForm;
extern TQK330SysControl1Form* QK330SysControl1Form;
extern TQK330SysControl2Form* QK330SysControl2Form;
extern TQK330SysControl3Form* QK330SysControl3Form;
extern TQK330ModIndexForm* QK330ModIndexForm;
extern TQK330SerialDataInterfaceCtlForm* QK330SerialDataInterfaceCtlForm;
extern TQK330ErrAndAutomuteDelayForm* QK330ErrAndAutomuteDelayForm;
extern TQK330ChConfigControlForm* QK330ChConfigControlForm;
extern TSnapshotForm* SnapshotForm;
extern TQK330PSCTestReg1Form* QK330PSCTestReg1Form;
extern TQK330PSCTestReg2Form* QK330PSCTestReg2Form;
extern TQK330TestReg1Form* QK330TestReg1Form;
extern TQK330TestReg0Form* QK330TestReg0Form;
extern TBusMonitorForm* BusMonitorForm;
extern TStatusWatchForm* StatusWatchForm;

namespace qk {
// Every window but the main window, in creation order (windows 2..41), as the program set them.
QList<QWidget*> SecondaryWindows();
void SetSecondaryWindows(QList<QWidget*> windows);
// Show a window, or bring it to the front when it is already visible.
void OpenWindow(QWidget* window);
// The window of that instance name ("RegistersForm"); null for none.
QWidget* WindowNamed(const char* instanceName);
// The pins window and the two that watch the bus (they stay open when a chip is selected).
bool WatchesTheBus(const QWidget& window);
}  // namespace qk
