#include "gui/app/Okapimain.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QKeyEvent>
#include <QStyle>
#include <memory>

#include "gui/app/HelpDocument.h"
#include "gui/app/HiddenLogin.h"
#include "gui/registry/Forms.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/ModalDialogs.h"
#include "gui/widgets/WindowFrame.h"

namespace {

// Nine spaces wipe a shown "ACK Error" from the red status line.
const QString ErrorLineCleared(9, ' ');

constexpr QPoint StartPosition(495, 111);

bool IsEnterKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    return (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) &&
           modifiers == Qt::NoModifier;
}

}  // namespace

TOkapiForm::TOkapiForm(qk::ChipSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    ui.setupUi(this);
    qk::SetWindowFrame(*this);
    move(StartPosition);
    // The address list starts with no item selected, showing the first address.
    ui.IICAddressComboBox->setEditText(ui.IICAddressComboBox->itemText(0));
    ui.HelpBitBtn->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
    session_.SetLogDisplay(qk::TransactionLog::Display{
        [this](const std::string& t) { ui.FirstErrorlabel->setText(QString::fromStdString(t)); },
        [this](const std::string& t) { ui.SecondErrorlabel->setText(QString::fromStdString(t)); },
        [this](bool on) { ui.DataLogCheckBox->setChecked(on); },
        // The status line has room for "DATALOG OPEN ERR" only; the reason is in its tooltip.
        [this](const std::string& t) {
            ui.SecondErrorlabel->setToolTip(QString::fromStdString(t));
        }});
    startDirectory_ = QDir::currentPath();
    volumePanel_ = new qk::VolumeMutePanel(
        session_, ui,
        {.checkedGeneration = [this] { return CheckedGeneration(); },
         .clearErrorLine = [this] { ui.ErrorLabel->setText(ErrorLineCleared); },
         .reselectCheckedChip = [this] { ReselectCheckedChip(); }},
        this);
    login_ = new qk::HiddenLogin(session_, ui.HiddenButton, ui.LoginEdit, ui.LoginButton, this);
    ConnectControls();
    ConnectSession();
}

// The SCL calibration's texts come to the first status line; the login shows its chips.
void TOkapiForm::ConnectSession() {
    connect(&session_, &qk::ChipSession::statusReported, this, &TOkapiForm::ShowFirstStatus);
    connect(&session_, &qk::ChipSession::loginChanged, this, &TOkapiForm::ShowLoginChips);
    connect(&session_, &qk::ChipSession::loginRequested, this, &TOkapiForm::ShowLogin);
}

void TOkapiForm::ShowLoginChips(bool loggedIn) {
    for (const ChipButton& chip : ChipButtons())
        if (chip.chip->offer == qk::ChipOffer::Login) chip.button->setVisible(loggedIn);
}

void TOkapiForm::ShowLogin() {
    login_->HiddenButtonClick();
}

void TOkapiForm::ConnectControls() {
    connect(ui.StartBitBtn, &QPushButton::clicked, this, &TOkapiForm::StartBitBtnClick);
    for (const qk::ChipInfo& chip : qk::ChipCatalogue()) chipButtons_.push_back(ButtonOf(chip));
    for (const ChipButton& chip : ChipButtons()) ConnectChipButton(chip);
    connect(ui.I2C_Bypass, &QCheckBox::clicked, this, &TOkapiForm::I2C_BypassClick);
    // The bus master skips the wire while OFF LINE is checked, however the box got its state.
    connect(ui.I2C_Bypass, &QCheckBox::toggled, &session_, &qk::ChipSession::SetOffLine);
    connect(ui.IICAddressComboBox, &QComboBox::editTextChanged, this,
            &TOkapiForm::IICAddressComboBoxChange);
    connect(ui.IICAddressComboBox, &QComboBox::currentIndexChanged, this,
            &TOkapiForm::IICAddressComboBoxChange);
    connect(ui.DataLogCheckBox, &QCheckBox::clicked, this, &TOkapiForm::DataLogCheckBoxClick);
    connect(ui.SCLAdjustButton, &QPushButton::clicked, this, &TOkapiForm::SCLAdjustButtonClick);
    connect(ui.GPIOBitBtn, &QPushButton::clicked, this, &TOkapiForm::GPIOBitBtnClick);
    connect(ui.AboutBitBtn, &QPushButton::clicked, this, &TOkapiForm::AboutBitBtnClick);
    connect(ui.HelpBitBtn, &QPushButton::clicked, this, &TOkapiForm::HelpBitBtnClick);
    connect(ui.ExitBitBtn, &QPushButton::clicked, this, &QWidget::close);
    ConnectWindowButtons();
}

// A chip button's handler runs when the button becomes checked; clicking the checked button again
// changes nothing (RESET is the way to activate the same chip again).
void TOkapiForm::ConnectChipButton(const ChipButton& chip) {
    auto wasChecked = std::make_shared<bool>(false);
    QRadioButton* button = chip.button;
    connect(button, &QRadioButton::pressed, this,
            [button, wasChecked] { *wasChecked = button->isChecked(); });
    connect(button, &QRadioButton::clicked, this, [this, selected = chip.chip, wasChecked] {
        if (!*wasChecked) SelectChip(*selected);
    });
    // The session's chip is the checked button's, however the button got its state.
    connect(button, &QRadioButton::toggled, this, [this, selected = chip.chip](bool checked) {
        if (checked)
            session_.SetSelectedChip(selected);
        else if (session_.SelectedChip() == selected)
            session_.SetSelectedChip(nullptr);
    });
}

// The buttons that open register windows. The windows are created after the main window, so
// each is looked up by its instance name when its button is clicked.
void TOkapiForm::ConnectWindowButtons() {
    struct WindowButton {
        QPushButton* button;
        const char* window;
    };
    const WindowButton buttons[] = {
        {ui.QK310RegistersBitBtn, "RegistersForm"},
        {ui.QK310DCOffsetBitBtn, "DCOffsetForm"},
        {ui.QK310InterChDelayBitBtn, "InterchDelayForm"},
        {ui.QK310ChannelSetupBitBtn, "SixChBalanceForm"},
        {ui.QK330RegistersBitBtn, "QK330RegForm"},
        {ui.QK330DCOffsetBitBtn, "QK330DCOffsetForm"},
        {ui.QK330InterChDelayBitBtn, "QK330InterchDelayForm"},
        {ui.QK330ChannelSetupBitBtn, "QK330SixChBalanceForm"},
        {ui.ConfCtlBitBtn, "QK330ChConfigControlRegForm"},
        {ui.SnapshotBitBtn, "SnapshotForm"},
        {ui.QK330SnapshotBitBtn, "SnapshotForm"},
        {ui.WatchBitBtn, "StatusWatchForm"},
        {ui.QK330WatchBitBtn, "StatusWatchForm"},
        {ui.MonitorBitBtn, "BusMonitorForm"},
        {ui.QK330MonitorBitBtn, "BusMonitorForm"},
    };
    for (const WindowButton& b : buttons)
        connect(b.button, &QPushButton::clicked, this,
                [window = b.window] { qk::OpenWindow(qk::WindowNamed(window)); });
}

// --- Status lines and bus errors ---

void TOkapiForm::ShowStatus(const QString& first, const QString& second) {
    ui.FirstErrorlabel->setText(first);
    ui.SecondErrorlabel->setText(second);
}

void TOkapiForm::ShowFirstStatus(const std::string& text) {
    ui.FirstErrorlabel->setText(QString::fromStdString(text));
}

void TOkapiForm::ShowFirstErrorLine(const std::string& text) {
    ui.FirstErrorlabel->setVisible(true);
    ShowFirstStatus(text);
}

void TOkapiForm::ShowSecondErrorLine(const std::string& text) {
    ui.SecondErrorlabel->setVisible(true);
    ui.SecondErrorlabel->setText(QString::fromStdString(text));
}

void TOkapiForm::ShowErrorLine(const std::string& text) {
    ui.ErrorLabel->setText(QString::fromStdString(text));
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
    session_.SetDeviceAddress(SelectedDeviceAddress());
}

void TOkapiForm::DataLogCheckBoxClick() {
    session_.Log().SetLogging(ui.DataLogCheckBox->isChecked());
}

void TOkapiForm::SCLAdjustButtonClick() {
    qk::OpenWindow(qk::WindowNamed("I2CForm"));
}
void TOkapiForm::GPIOBitBtnClick() {
    qk::OpenWindow(qk::WindowNamed("GPIOForm"));
}
void TOkapiForm::AboutBitBtnClick() {
    qk::OpenWindow(qk::WindowNamed("AboutBox"));
}

void TOkapiForm::HelpBitBtnClick() {
    if (!qk::OpenHelpDocument(qk::HelpDocumentPath(startDirectory_)))
        qk::ShowModal(*qobject_cast<QDialog*>(qk::WindowNamed("FileOpenErrorDlgForm")));
}

// --- Keyboard and the end of the program ---

// The window is no dialog, so Qt does not give Enter to its default buttons: Enter that no
// control took presses the one that shows, the login's while it is open (Enter in its edit),
// else START while its panel shows.
void TOkapiForm::keyPressEvent(QKeyEvent* event) {
    if (IsEnterKey(*event)) {
        for (QPushButton* button : {ui.LoginButton, ui.StartBitBtn}) {
            if (!button->isVisible() || !button->isEnabled()) continue;
            button->click();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

// Closing the main window (its close box or EXIT) ends the program, whatever else is open.
void TOkapiForm::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    for (QWidget* window : qk::SecondaryWindows()) window->hide();
    QCoreApplication::quit();
}
