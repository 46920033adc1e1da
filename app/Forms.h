#pragma once
// The program's windows, one global instance each, created at start in this order and alive until
// the program ends. Windows reach each other through these.
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
class TNoDeviceDlgForm;
class TFileOpenErrorDlgForm;
class TGPIOForm;

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

// The second generation's windows are hidden windows with their titles until they are built.
extern QWidget* QK330Form;
extern QWidget* QK330RegForm;
extern QWidget* QK330TestRegForm;
extern QWidget* QK330ChConfigControlRegForm;
extern QWidget* QK330DCOffsetForm;
extern QWidget* QK330InterchDelayForm;
extern QWidget* QK330SixChBalanceForm;
extern QWidget* QK330PADC_DCOffsetForm;
extern QWidget* QK330SEOffsetRegForm;
extern QWidget* QK330SysControl1Form;
extern QWidget* QK330SysControl2Form;
extern QWidget* QK330SysControl3Form;
extern QWidget* QK330ModIndexForm;
extern QWidget* QK330SerialDataInterfaceCtlForm;
extern QWidget* QK330ErrAndAutomuteDelayForm;
extern QWidget* QK330ChConfigControlForm;
extern QWidget* QK330PSCTestReg1Form;
extern QWidget* QK330PSCTestReg2Form;
extern QWidget* QK330TestReg1Form;
extern QWidget* QK330TestReg0Form;

namespace qk {
// Every window but the main window, in creation order (windows 2..38).
QList<QWidget*> SecondaryWindows();
// Show a window, or bring it to the front when it is already visible.
void OpenWindow(QWidget* window);
}  // namespace qk
