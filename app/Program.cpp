#include "app/Program.h"

#include <QApplication>
#include <QLocale>
#include <QMessageBox>
#include <clocale>

#include "app/Aboutunit.h"
#include "app/FileOpenErrorunit.h"
#include "app/Forms.h"
#include "app/ModalDialogs.h"
#include "app/NoDeviceunit.h"
#include "app/Okapimain.h"
#include "chips/QK310unit.h"
#include "chips/QK320unit.h"
#include "gen1/Balanceunitsixch.h"
#include "gen1/Dcoffsetunit.h"
#include "gen1/Interchdelayunit.h"
#include "gen1/Registersunit.h"
#include "gen1/Syscontrol0unit.h"
#include "gen1/Syscontrol1unit.h"
#include "gen1/Testreg0unit.h"
#include "gen1/Testregunit.h"
#include "link/AckErrorDialogunit.h"
#include "link/Gpiounit.h"
#include "link/I2cunit.h"
#include "link/WaitErrorDialogunit.h"

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
QWidget* QK330Form = nullptr;
QWidget* QK330RegForm = nullptr;
QWidget* QK330TestRegForm = nullptr;
QWidget* QK330ChConfigControlRegForm = nullptr;
QWidget* QK330DCOffsetForm = nullptr;
QWidget* QK330InterchDelayForm = nullptr;
QWidget* QK330SixChBalanceForm = nullptr;
QWidget* QK330PADC_DCOffsetForm = nullptr;
QWidget* QK330SEOffsetRegForm = nullptr;
QWidget* QK330SysControl1Form = nullptr;
QWidget* QK330SysControl2Form = nullptr;
QWidget* QK330SysControl3Form = nullptr;
QWidget* QK330ModIndexForm = nullptr;
QWidget* QK330SerialDataInterfaceCtlForm = nullptr;
QWidget* QK330ErrAndAutomuteDelayForm = nullptr;
QWidget* QK330ChConfigControlForm = nullptr;
QWidget* QK330PSCTestReg1Form = nullptr;
QWidget* QK330PSCTestReg2Form = nullptr;
QWidget* QK330TestReg1Form = nullptr;
QWidget* QK330TestReg0Form = nullptr;

namespace qk {

namespace {

// Windows 2..38 in creation order (also the order in which they are deleted, backwards).
QList<QWidget*> g_secondary;

template <typename T>
T* Keep(T* window) {
    g_secondary.append(window);
    return window;
}

// A second-generation window that is not built yet: hidden, with its name and title.
QWidget* Placeholder(const char* instance, const char* title) {
    auto* window = new QWidget;
    window->setObjectName(instance);
    window->setWindowTitle(title);
    window->setFixedSize(200, 100);
    window->hide();
    return Keep(window);
}

}  // namespace

QList<QWidget*> SecondaryWindows() {
    return g_secondary;
}

void OpenWindow(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

void InitialiseApplication() {
    // The QApplication constructor adopted the user's locale; numbers stay "1.5" regardless.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
    QApplication::setApplicationName("QK3xx Software");
    QApplication::setApplicationDisplayName("QK3xx Software");
}

Program::Program(PortIo& port) {
    OkapiForm = new TOkapiForm(port);
    RegistersForm = Keep(new TRegistersForm);
    AboutBox = Keep(new TAboutBox);
    ACK_ErrorDialogForm = Keep(new TACK_ErrorDialogForm);
    WaitErrorDialogForm = Keep(new TWaitErrorDialogForm);
    I2CForm = Keep(new TI2CForm(port, *OkapiForm, OkapiForm->Log()));
    SixChBalanceForm = Keep(new TSixChBalanceForm);
    DCOffsetForm = Keep(new TDCOffsetForm);
    InterchDelayForm = Keep(new TInterchDelayForm);
    SysControl0Form = Keep(new TSysControl0Form);
    SysControl1Form = Keep(new TSysControl1Form);
    TestReg0Form = Keep(new TTestReg0Form);
    TestRegForm = Keep(new TTestRegForm);
    QK310Form = Keep(new TQK310Form);
    QK320Form = Keep(new TQK320Form);
    QK330Form = Placeholder("QK330Form", "QK330Form");
    QK330RegForm = Placeholder("QK330RegForm", "QK330 Registers");
    QK330TestRegForm = Placeholder("QK330TestRegForm", "QK330 Test Registers");
    QK330ChConfigControlRegForm =
        Placeholder("QK330ChConfigControlRegForm", "Channel Configuration Control Registers");
    QK330DCOffsetForm = Placeholder("QK330DCOffsetForm", "DC Offset");
    QK330InterchDelayForm = Placeholder("QK330InterchDelayForm", "Interchannel Delay");
    QK330SixChBalanceForm = Placeholder("QK330SixChBalanceForm", "QK330 Volume Offset");
    QK330PADC_DCOffsetForm = Placeholder("QK330PADC_DCOffsetForm", "PADC Offset");
    QK330SEOffsetRegForm = Placeholder("QK330SEOffsetRegForm", "QK330 SE Offset");
    QK330SysControl1Form = Placeholder("QK330SysControl1Form", "System Control 1");
    QK330SysControl2Form = Placeholder("QK330SysControl2Form", "System Control 2");
    QK330SysControl3Form = Placeholder("QK330SysControl3Form", "System Control 3");
    QK330ModIndexForm = Placeholder("QK330ModIndexForm", "Modulation Index");
    QK330SerialDataInterfaceCtlForm =
        Placeholder("QK330SerialDataInterfaceCtlForm", "Serial Data Interface Control");
    QK330ErrAndAutomuteDelayForm =
        Placeholder("QK330ErrAndAutomuteDelayForm", "Error Recovery and Automute Delay");
    QK330ChConfigControlForm = Placeholder("QK330ChConfigControlForm", "QK330ChConfigControlForm");
    QK330PSCTestReg1Form = Placeholder("QK330PSCTestReg1Form", "PSC Test Register 1");
    QK330PSCTestReg2Form = Placeholder("QK330PSCTestReg2Form", "QK330PSCTestReg2Form");
    NoDeviceDlgForm = Keep(new TNoDeviceDlgForm);
    QK330TestReg1Form = Placeholder("QK330TestReg1Form", "Test Register 1");
    QK330TestReg0Form = Placeholder("QK330TestReg0Form", "Test Register 0");
    FileOpenErrorDlgForm = Keep(new TFileOpenErrorDlgForm);
    GPIOForm = Keep(new TGPIOForm);

    RegistersForm->Image().SetWiring({&I2CForm->Bus(), [] { return OkapiForm->DeviceAddress(); },
                                      [] { return OkapiForm->QK310MuteAllEngaged(); },
                                      [](int entry) { RegistersForm->RefreshEntry(entry); }});
}

Program::~Program() {
    while (!g_secondary.isEmpty()) delete g_secondary.takeLast();
    delete OkapiForm;
    OkapiForm = nullptr;
    RegistersForm = nullptr;
    AboutBox = nullptr;
    ACK_ErrorDialogForm = nullptr;
    WaitErrorDialogForm = nullptr;
    I2CForm = nullptr;
    SixChBalanceForm = nullptr;
    DCOffsetForm = nullptr;
    InterchDelayForm = nullptr;
    SysControl0Form = nullptr;
    SysControl1Form = nullptr;
    TestReg0Form = nullptr;
    TestRegForm = nullptr;
    QK310Form = nullptr;
    QK320Form = nullptr;
    NoDeviceDlgForm = nullptr;
    FileOpenErrorDlgForm = nullptr;
    GPIOForm = nullptr;
}

void Program::Show() {
    OkapiForm->show();
    const std::string& problem = OkapiForm->PortSetupError();
    if (!problem.empty()) {
        QMessageBox box(QMessageBox::Warning, "Parallel port", QString::fromStdString(problem),
                        QMessageBox::Ok, OkapiForm);
        box.setObjectName("PortSetupMessage");
        ShowModal(box);
    }
}

}  // namespace qk
