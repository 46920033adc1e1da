#include "app/Okapimain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStyle>
#include <algorithm>
#include <utility>

#include "app/Aboutunit.h"
#include "app/FileOpenErrorunit.h"
#include "app/Forms.h"
#include "app/ModalDialogs.h"
#include "app/NoDeviceunit.h"
#include "chips/QK310unit.h"
#include "chips/QK320unit.h"
#include "gen1/Registersunit.h"
#include "link/AckErrorDialogunit.h"
#include "link/Gpiounit.h"
#include "link/I2cunit.h"
#include "link/WaitErrorDialogunit.h"
#include "widgets/Colors.h"

namespace {

constexpr int ChipWindowOuterWidth = 455;
constexpr double StartSclPeriodMicroseconds = 10.0;
constexpr uint8_t ChipIdRegister = 0x00;
constexpr uint8_t ChipIdMask = 0x3E;
constexpr uint8_t QK310Id = 0x26, QK320Id = 0x1E, QK350Id = 0x00;

QString& HelpViewer() {
    static QString program = "xdg-open";
    return program;
}

// An auto-exclusive radio button refuses to be cleared while it is the checked one.
void Uncheck(QAbstractButton* button) {
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
}

// Controls that other windows lay out and that only a login may show.
void ShowLoginControls(bool visible) {
    const std::pair<QWidget*, const char*> controls[] = {{RegistersForm, "TestRegBitBtn"},
                                                         {QK330RegForm, "ReservedGroupBox"}};
    for (auto [window, name] : controls)
        if (QWidget* control = window->findChild<QWidget*>(name)) control->setVisible(visible);
}

}  // namespace

TOkapiForm::TOkapiForm(qk::PortIo& port, QWidget* parent) : QWidget(parent), port_(port) {
    ui.setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    move(495, 111);
    // The address list starts with no item selected, showing the first address.
    ui.IICAddressComboBox->setEditText(ui.IICAddressComboBox->itemText(0));
    ui.HelpBitBtn->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
    log_ = std::make_unique<qk::TransactionLog>(qk::TransactionLog::Display{
        [this](const std::string& t) { ui.FirstErrorlabel->setText(QString::fromStdString(t)); },
        [this](const std::string& t) { ui.SecondErrorlabel->setText(QString::fromStdString(t)); },
        [this](bool on) { ui.DataLogCheckBox->setChecked(on); }});
    if (!port_.Setup()) portSetupError_ = port_.SetupError();
    startDirectory_ = QDir::currentPath();
    ConnectControls();
}

void TOkapiForm::ConnectControls() {
    connect(ui.StartBitBtn, &QPushButton::clicked, this, &TOkapiForm::StartBitBtnClick);
    connect(ui.QK310RadioButton, &QRadioButton::clicked, this, &TOkapiForm::QK310RadioButtonClick);
    connect(ui.QK320RadioButton, &QRadioButton::clicked, this, &TOkapiForm::QK320RadioButtonClick);
    connect(ui.QK350RadioButton, &QRadioButton::clicked, this, &TOkapiForm::QK320RadioButtonClick);
    connect(ui.QK330RadioButton, &QRadioButton::clicked, this, &TOkapiForm::QK330RadioButtonClick);
    connect(ui.QK340RadioButton, &QRadioButton::clicked, this, &TOkapiForm::QK340RadioButtonClick);
    connect(ui.I2C_Bypass, &QCheckBox::clicked, this, &TOkapiForm::I2C_BypassClick);
    // The bus master skips the wire while OFF LINE is checked, however the box got its state.
    connect(ui.I2C_Bypass, &QCheckBox::toggled, this, [](bool offLine) {
        if (I2CForm) I2CForm->Bus().OffLine = offLine;
    });
    connect(ui.IICAddressComboBox, &QComboBox::editTextChanged, this,
            &TOkapiForm::IICAddressComboBoxChange);
    connect(ui.IICAddressComboBox, &QComboBox::currentIndexChanged, this,
            &TOkapiForm::IICAddressComboBoxChange);
    connect(ui.DataLogCheckBox, &QCheckBox::clicked, this, &TOkapiForm::DataLogCheckBoxClick);
    connect(ui.SCLAdjustButton, &QPushButton::clicked, this, &TOkapiForm::SCLAdjustButtonClick);
    connect(ui.GPIOBitBtn, &QPushButton::clicked, this, &TOkapiForm::GPIOBitBtnClick);
    connect(ui.AboutBitBtn, &QPushButton::clicked, this, &TOkapiForm::AboutBitBtnClick);
    connect(ui.HelpBitBtn, &QPushButton::clicked, this, &TOkapiForm::HelpBitBtnClick);
    connect(ui.HiddenButton, &QPushButton::clicked, this, &TOkapiForm::HiddenButtonClick);
    connect(ui.LoginEdit, &QLineEdit::textEdited, this, &TOkapiForm::LoginEditChange);
    connect(ui.LoginEdit, &QLineEdit::returnPressed, ui.LoginButton, &QPushButton::click);
    connect(ui.LoginButton, &QPushButton::clicked, this, &TOkapiForm::LoginButtonClick);
    connect(ui.ExitBitBtn, &QPushButton::clicked, this, &QWidget::close);
}

// --- Status lines and bus errors ---

void TOkapiForm::ShowStatus(const QString& first, const QString& second) {
    ui.FirstErrorlabel->setText(first);
    ui.SecondErrorlabel->setText(second);
}

void TOkapiForm::ShowFirstErrorLine(const std::string& text) {
    ui.FirstErrorlabel->setVisible(true);
    ui.FirstErrorlabel->setText(QString::fromStdString(text));
}

void TOkapiForm::ShowSecondErrorLine(const std::string& text) {
    ui.SecondErrorlabel->setVisible(true);
    ui.SecondErrorlabel->setText(QString::fromStdString(text));
}

void TOkapiForm::ShowErrorLine(const std::string& text) {
    ui.ErrorLabel->setText(QString::fromStdString(text));
}

void TOkapiForm::ShowAckErrorDialog() {
    qk::ShowModal(*ACK_ErrorDialogForm);
}
void TOkapiForm::ShowWaitErrorDialog() {
    qk::ShowModal(*WaitErrorDialogForm);
}

// --- START and chip detection ---

uint8_t TOkapiForm::SelectedDeviceAddress() const {
    // Typed text selects the item it names; anything else selects none, which means 0x1A.
    const QComboBox* list = ui.IICAddressComboBox;
    const int item = list->findText(list->currentText().trimmed(), Qt::MatchFixedString);
    return item == 1 ? 0x36 : 0x34;
}

void TOkapiForm::StartBitBtnClick() {
    ChipNeedsInit = true;
    DeviceAddress = SelectedDeviceAddress();
    qk::I2cBus& bus = I2CForm->Bus();
    bus.I2cResetErrors();
    ShowStatus("  ", "  ");
    ui.StartBitBtn->setText("WORKING");
    if (ui.I2C_Bypass->isChecked()) {
        OfferAllFirstGenerationChips();
        return;
    }
    I2CForm->CalibrateScl(StartSclPeriodMicroseconds);
    if (!bus.I2cProbe(DeviceAddress, 0, nullptr, 0)) {
        qk::ShowModal(*NoDeviceDlgForm);
        OfferAllFirstGenerationChips();
        return;
    }
    IdentifyChip();
}

void TOkapiForm::ShowChipSelectPanel() {
    ui.StartPanel->hide();
    ui.ChipSelectPanel->show();
}

void TOkapiForm::IdentifyChip() {
    ShowChipSelectPanel();
    for (QRadioButton* button : {ui.QK310RadioButton, ui.QK320RadioButton, ui.QK330RadioButton,
                                 ui.QK340RadioButton, ui.QK350RadioButton})
        button->hide();
    const uint8_t id = RegistersForm->Image().ReadRegister(ChipIdRegister) & ChipIdMask;
    auto captureChip = [this](TQK310Form* model) {
        ChipNeedsInit = false;
        model->InitSubAddresses();
        model->CaptureDefaultImage();
    };
    switch (id) {
        case QK310Id:
            captureChip(QK310Form);
            ui.QK310RadioButton->show();
            CheckChipButton(ui.QK310RadioButton, &TOkapiForm::QK310RadioButtonClick);
            break;
        case QK320Id:
            captureChip(QK320Form);
            ui.QK320RadioButton->show();
            CheckChipButton(ui.QK320RadioButton, &TOkapiForm::QK320RadioButtonClick);
            break;
        case QK350Id:
            ShowStatus("SELECT", "DEVICE");
            captureChip(QK310Form);
            ui.QK350RadioButton->show();
            Uncheck(ui.QK350RadioButton);  // the user picks it
            break;
        default:
            OfferAllFirstGenerationChips();
            break;
    }
}

// Off line, no device, or a chip that is not recognised: the user chooses among the first
// generation, and that choice loads the chip's power-on defaults (ChipNeedsInit stays set).
void TOkapiForm::OfferAllFirstGenerationChips() {
    for (QRadioButton* button : {ui.QK310RadioButton, ui.QK320RadioButton, ui.QK350RadioButton})
        button->show();
    ShowChipSelectPanel();
    ShowStatus("SELECT", "DEVICE");
}

// Checking a button from code selects its chip only when it was not checked already.
void TOkapiForm::CheckChipButton(QRadioButton* button, void (TOkapiForm::*handler)()) {
    if (button->isChecked()) return;
    button->setChecked(true);
    (this->*handler)();
}

// --- Chip selection ---

void TOkapiForm::QK310RadioButtonClick() {
    SelectChip(QK310Model());
}
void TOkapiForm::QK320RadioButtonClick() {
    SelectChip(QK320Model());
}
void TOkapiForm::QK330RadioButtonClick() {
    SelectChip(QK330Model());
}
void TOkapiForm::QK340RadioButtonClick() {
    SelectChip(QK330Model());
}

TOkapiForm::ChipModel TOkapiForm::QK310Model() {
    return {Generation::First, [] { QK310Form->LoadPowerOnDefaults(); },
            [] { QK310Form->ActivateChipModel(); }};
}

TOkapiForm::ChipModel TOkapiForm::QK320Model() {
    return {Generation::First, [] { QK320Form->LoadPowerOnDefaults(); },
            [] { QK320Form->ActivateChipModel(); }};
}

TOkapiForm::ChipModel TOkapiForm::QK330Model() {
    return {Generation::QK330, [this] { QK330LoadPowerOnDefaults(); },
            [this] { QK330ActivateChipModel(); }};
}

// The QK330 model (QK330Form) is still a placeholder: it has no register image to fill yet.
void TOkapiForm::QK330LoadPowerOnDefaults() {}
// The QK330 model (QK330Form) is still a placeholder: there is no chip to activate yet.
void TOkapiForm::QK330ActivateChipModel() {}

void TOkapiForm::SelectChip(const ChipModel& model) {
    if (ChipNeedsInit) {
        model.LoadPowerOnDefaults();
        ChipNeedsInit = false;
    }
    ShowGenerationPanels(model.generation);
    ChipChangeStep();
    model.ActivateChipModel();
}

void TOkapiForm::ShowGenerationPanels(Generation generation) {
    const bool first = generation == Generation::First;
    ui.QK310ButtonPanel->setVisible(first);
    ui.QK310MasterVolGroupBox->setVisible(first);
    ui.QK330ButtonPanel->setVisible(!first);
    ui.QK330MasterVolGroupBox->setVisible(!first);
}

// A new chip starts from a clean desk: every window but the pins window is closed, and the main
// window widens to show the chip's panels.
void TOkapiForm::ChipChangeStep() {
    for (QWidget* window : qk::SecondaryWindows())
        if (window != GPIOForm) window->hide();
    for (QRadioButton* button : {ui.QK310RadioButton, ui.QK320RadioButton, ui.QK330RadioButton,
                                 ui.QK340RadioButton, ui.QK350RadioButton}) {
        qk::SetTextColor(button, qk::clBlack);
        qk::SetBackgroundColor(button, qk::clBtnFace);
    }
    qk::SetBackgroundColor(ui.ChipSelectPanel, qk::clBtnFace);
    const int frameWidth = frameGeometry().width() - width();
    setFixedWidth(ChipWindowOuterWidth - frameWidth);
    move(6, 6);
    ShowStatus("READY", "READY");
}

// --- Control panel ---

void TOkapiForm::I2C_BypassClick() {
    if (ui.I2C_Bypass->isChecked()) {
        qk::SetTextColor(ui.I2C_Bypass, qk::clRed);
        return;
    }
    qk::SetTextColor(ui.I2C_Bypass, qk::clNavy);
    StartBitBtnClick();
}

void TOkapiForm::IICAddressComboBoxChange() {
    DeviceAddress = SelectedDeviceAddress();
}

void TOkapiForm::DataLogCheckBoxClick() {
    const bool wanted = ui.DataLogCheckBox->isChecked();
    const bool logging = Log().SetLogging(wanted);
    // The status line has room for "DATALOG OPEN ERR" only; the reason is in its tooltip.
    ui.SecondErrorlabel->setToolTip(wanted && !logging ? QString::fromStdString(Log().OpenError())
                                                       : QString());
}

void TOkapiForm::SCLAdjustButtonClick() {
    qk::OpenWindow(I2CForm);
}
void TOkapiForm::GPIOBitBtnClick() {
    qk::OpenWindow(GPIOForm);
}
void TOkapiForm::AboutBitBtnClick() {
    qk::OpenWindow(AboutBox);
}

// --- Help document ---

QString TOkapiForm::SetHelpViewer(QString program) {
    return std::exchange(HelpViewer(), std::move(program));
}

void TOkapiForm::HelpBitBtnClick() {
    if (!OpenHelpDocument(startDirectory_ + "/" + HelpDocumentName))
        qk::ShowModal(*FileOpenErrorDlgForm);
}

// Runs the viewer on the document (one argument, no shell) and waits for it with the program's
// windows minimised. False when the document is missing or the viewer fails.
bool TOkapiForm::OpenHelpDocument(const QString& path) {
    if (!QFileInfo(path).isFile()) return false;
    QProcess viewer;
    viewer.setProgram(HelpViewer());
    viewer.setArguments({path});
    viewer.setStandardInputFile(QProcess::nullDevice());
    viewer.setProcessChannelMode(QProcess::ForwardedChannels);
    viewer.start();
    if (!viewer.waitForStarted(-1)) return false;

    QList<QWidget*> minimised;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || window->isMinimized()) continue;
        window->setWindowState(window->windowState() | Qt::WindowMinimized);
        minimised.append(window);
    }
    viewer.waitForFinished(-1);
    for (QWidget* window : minimised)
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    return viewer.exitStatus() == QProcess::NormalExit && viewer.exitCode() == 0;
}

// --- Hidden-controls login ---

void TOkapiForm::HiddenButtonClick() {
    ui.LoginEdit->show();
    ui.LoginButton->show();
    ui.LoginEdit->setFocus();
}

void TOkapiForm::LoginEditChange(const QString& text) {
    loginText_ = text;
}

void TOkapiForm::LoginButtonClick() {
    const bool granted = std::any_of(std::begin(AccessCodes), std::end(AccessCodes),
                                     [this](const char* code) { return loginText_ == code; });
    if (granted) {
        ui.LoginEdit->hide();
        ui.LoginButton->hide();
    }
    ShowLoginControls(granted);
}

// --- End of the program ---

// Closing the main window (its close box or EXIT) ends the program, whatever else is open.
void TOkapiForm::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    for (QWidget* window : qk::SecondaryWindows()) window->hide();
    QCoreApplication::quit();
}
