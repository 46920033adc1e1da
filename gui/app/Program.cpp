#include "gui/app/Program.h"

#include <QApplication>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <clocale>
#include <functional>
#include <iostream>
#include <memory>
#include <vector>

#include "gui/app/Aboutunit.h"
#include "gui/app/Appearance.h"
#include "gui/app/FileOpenErrorunit.h"
#include "gui/app/NoDeviceunit.h"
#include "gui/app/Okapimain.h"
#include "gui/app/Snapshotunit.h"
#include "gui/bus/AckErrorDialogunit.h"
#include "gui/bus/BusErrorPresenter.h"
#include "gui/bus/BusMonitorunit.h"
#include "gui/bus/Gpiounit.h"
#include "gui/bus/I2cunit.h"
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
#include "gui/qk330/QK330Balanceunitsixch.h"
#include "gui/qk330/QK330ChConfigControlRegunit.h"
#include "gui/qk330/QK330ChConfigControlunit.h"
#include "gui/qk330/QK330Dcoffsetunit.h"
#include "gui/qk330/QK330ErrAndAutomuteDelayunit.h"
#include "gui/qk330/QK330Interchdelayunit.h"
#include "gui/qk330/QK330ModIndexunit.h"
#include "gui/qk330/QK330PADCDcoffsetunit.h"
#include "gui/qk330/QK330PSCTestReg1unit.h"
#include "gui/qk330/QK330PSCTestReg2unit.h"
#include "gui/qk330/QK330Regunit.h"
#include "gui/qk330/QK330SEOffsetRegunit.h"
#include "gui/qk330/QK330SerialDataInterfaceunit.h"
#include "gui/qk330/QK330Syscontrol1unit.h"
#include "gui/qk330/QK330Syscontrol2unit.h"
#include "gui/qk330/QK330Syscontrol3unit.h"
#include "gui/qk330/QK330TestReg0unit.h"
#include "gui/qk330/QK330TestReg1unit.h"
#include "gui/qk330/QK330Testregunit.h"
#include "gui/qk330/QK330unit.h"
#include "gui/registry/Forms.h"
#include "gui/widgets/ModalDialogs.h"
#include "gui/widgets/WindowFrame.h"

namespace qk {

namespace {

// One row of the window table: how a window is made, and how its global instance is let go.
struct WindowRow {
    std::function<QWidget*(ChipSession& session)> create;  // also sets the global instance
    std::function<void()> forget;                          // resets the global instance
};

// A window's object name is its instance name (its layout's root is named after its class).
template <typename Window>
WindowRow Row(Window*& instance, const char* name, std::function<Window*(ChipSession&)> make) {
    return {.create = [&instance, name, make](ChipSession& session) -> QWidget* {
                instance = make(session);
                instance->setObjectName(name);
                return instance;
            },
            .forget = [&instance] { instance = nullptr; }};
}

// Windows that work on the main window's channel controls are given them with the session.
template <typename Window>
Window* WithChannels(ChipSession& session) {
    return new Window(session, OkapiForm->Channels());
}

// Windows that show or change the chip are given the session.
template <typename Window>
WindowRow Row(Window*& instance, const char* name) {
    return Row<Window>(instance, name, [](ChipSession& session) {
        if constexpr (std::is_constructible_v<Window, ChipSession&>)
            return new Window(session);
        else
            return new Window;
    });
}

// Windows 2..41 in creation order; they are deleted in the opposite order.
const std::vector<WindowRow>& WindowTable() {
    static const std::vector<WindowRow> rows = {
        Row(RegistersForm, "RegistersForm"),
        Row(AboutBox, "AboutBox"),
        Row(ACK_ErrorDialogForm, "ACK_ErrorDialogForm"),
        Row(WaitErrorDialogForm, "WaitErrorDialogForm"),
        Row(I2CForm, "I2CForm"),
        Row<TSixChBalanceForm>(SixChBalanceForm, "SixChBalanceForm",
                               WithChannels<TSixChBalanceForm>),
        Row(DCOffsetForm, "DCOffsetForm"),
        Row(InterchDelayForm, "InterchDelayForm"),
        Row(SysControl0Form, "SysControl0Form"),
        Row(SysControl1Form, "SysControl1Form"),
        Row(TestReg0Form, "TestReg0Form"),
        Row(TestRegForm, "TestRegForm"),
        Row<TQK310Form>(QK310Form, "QK310Form", WithChannels<TQK310Form>),
        Row<TQK320Form>(QK320Form, "QK320Form", WithChannels<TQK320Form>),
        Row<TQK330Form>(QK330Form, "QK330Form", WithChannels<TQK330Form>),
        Row(QK330RegForm, "QK330RegForm"),
        Row(QK330TestRegForm, "QK330TestRegForm"),
        Row(QK330ChConfigControlRegForm, "QK330ChConfigControlRegForm"),
        Row(QK330DCOffsetForm, "QK330DCOffsetForm"),
        Row(QK330InterchDelayForm, "QK330InterchDelayForm"),
        Row<TQK330SixChBalanceForm>(QK330SixChBalanceForm, "QK330SixChBalanceForm",
                                    WithChannels<TQK330SixChBalanceForm>),
        Row(QK330PADC_DCOffsetForm, "QK330PADC_DCOffsetForm"),
        Row(QK330SEOffsetRegForm, "QK330SEOffsetRegForm"),
        Row(QK330SysControl1Form, "QK330SysControl1Form"),
        Row(QK330SysControl2Form, "QK330SysControl2Form"),
        Row(QK330SysControl3Form, "QK330SysControl3Form"),
        Row(QK330ModIndexForm, "QK330ModIndexForm"),
        Row(QK330SerialDataInterfaceCtlForm, "QK330SerialDataInterfaceCtlForm"),
        Row(QK330ErrAndAutomuteDelayForm, "QK330ErrAndAutomuteDelayForm"),
        Row<TQK330ChConfigControlForm>(QK330ChConfigControlForm, "QK330ChConfigControlForm",
                                       [](ChipSession&) {
                                           return new TQK330ChConfigControlForm(
                                               *QK330ChConfigControlRegForm);
                                       }),
        Row(QK330PSCTestReg1Form, "QK330PSCTestReg1Form"),
        Row(QK330PSCTestReg2Form, "QK330PSCTestReg2Form"),
        Row(NoDeviceDlgForm, "NoDeviceDlgForm"),
        Row(QK330TestReg1Form, "QK330TestReg1Form"),
        Row(QK330TestReg0Form, "QK330TestReg0Form"),
        Row(FileOpenErrorDlgForm, "FileOpenErrorDlgForm"),
        Row(GPIOForm, "GPIOForm"),
        Row(SnapshotForm, "SnapshotForm"),
        Row(BusMonitorForm, "BusMonitorForm"),
        Row(StatusWatchForm, "StatusWatchForm"),
    };
    return rows;
}

// The main window's status lines and the program's two bus error dialogs.
BusErrorPresenter::View MainWindowView(TOkapiForm& form) {
    return {.firstLine = [&form](const std::string& text) { form.ShowFirstErrorLine(text); },
            .secondLine = [&form](const std::string& text) { form.ShowSecondErrorLine(text); },
            .errorLine = [&form](const std::string& text) { form.ShowErrorLine(text); },
            .ackDialog = [] { ShowModal(*ACK_ErrorDialogForm); },
            .waitDialog = [] { ShowModal(*WaitErrorDialogForm); }};
}

// The windows of the table as created, row by row.
QList<QWidget*> g_secondary;

}  // namespace

void InitialiseApplication() {
    // The QApplication constructor adopted the user's locale; numbers stay "1.5" regardless.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
    // No display name: the window system would append it to every window title.
    QApplication::setApplicationName("QK3xx Software");
    if (const auto missing = UseProgramAppearance())
        std::cerr << QFileInfo(QApplication::applicationFilePath()).fileName().toStdString() << ": "
                  << *missing << "\n";
}

Program::Program(PortIo& port, const AdapterChoice& adapter)
    : session_(std::make_unique<ChipSession>(port)) {
    if (adapter.carrier != AdapterChoice::Carrier::None) session_->UseAdapter(adapter);
    OkapiForm = new TOkapiForm(*session_);
    OkapiForm->setObjectName("OkapiForm");
    for (const WindowRow& row : WindowTable()) {
        QWidget* window = row.create(*session_);
        SetWindowFrame(*window);
        g_secondary.append(window);
    }
    SetSecondaryWindows(g_secondary);
    // The errors of the master in use, the adapter's when there is one.
    busErrors_ =
        std::make_unique<BusErrorPresenter>(session_->Master(), MainWindowView(*OkapiForm));
}

// Each instance is reset as soon as its window is gone, so that no later destructor can reach it.
Program::~Program() {
    busErrors_.reset();  // before the master it listens to
    const std::vector<WindowRow>& rows = WindowTable();
    for (qsizetype row = g_secondary.size() - 1; row >= 0; --row) {
        delete g_secondary[row];
        rows[row].forget();
    }
    g_secondary.clear();
    SetSecondaryWindows({});
    delete OkapiForm;
    OkapiForm = nullptr;
}

void Program::Show() {
    OkapiForm->show();
    const bool adapter = session_->AdapterInUse();
    const std::string problem =
        adapter ? session_->AdapterSetupError() : session_->PortSetupError();
    if (!problem.empty()) {
        QMessageBox box(QMessageBox::Warning,
                        adapter ? QString::fromStdString(session_->AdapterKind()) : "Parallel port",
                        QString::fromStdString(problem), QMessageBox::Ok, OkapiForm);
        box.setObjectName("PortSetupMessage");
        ShowModal(box);
    }
}

}  // namespace qk
