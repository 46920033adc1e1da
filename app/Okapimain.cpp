#include "app/Okapimain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStyle>
#include <algorithm>
#include <memory>
#include <utility>

#include "app/Aboutunit.h"
#include "app/FileOpenErrorunit.h"
#include "app/Forms.h"
#include "app/ModalDialogs.h"
#include "app/NoDeviceunit.h"
#include "chips/ChipFacts.h"
#include "chips/QK310unit.h"
#include "chips/QK320unit.h"
#include "gen1/Balanceunitsixch.h"
#include "gen1/Dcoffsetunit.h"
#include "gen1/Interchdelayunit.h"
#include "gen1/Registersunit.h"
#include "gen1/Syscontrol1unit.h"
#include "link/AckErrorDialogunit.h"
#include "link/Gpiounit.h"
#include "link/I2cunit.h"
#include "link/WaitErrorDialogunit.h"
#include "widgets/Colors.h"

namespace {

constexpr int ChipWindowOuterWidth = 455;
constexpr double StartSclPeriodMicroseconds = 10.0;
constexpr int QK310ZeroDbPosition = 48;
constexpr int QK330LoudestCode = 1262, QK330ZeroDbPosition = 287;
// The items of the "D2 Select" group of the system control window.
constexpr int SoftResetItem = 0, NormalModeItem = 1;
// Nine spaces wipe a shown "ACK Error" from the red status line.
const QString ErrorLineCleared(9, ' ');

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
        [this](bool on) { ui.DataLogCheckBox->setChecked(on); },
        // The status line has room for "DATALOG OPEN ERR" only; the reason is in its tooltip.
        [this](const std::string& t) {
            ui.SecondErrorlabel->setToolTip(QString::fromStdString(t));
        }});
    if (!port_.Setup()) portSetupError_ = port_.SetupError();
    startDirectory_ = QDir::currentPath();
    ConnectControls();
}

void TOkapiForm::ConnectControls() {
    connect(ui.StartBitBtn, &QPushButton::clicked, this, &TOkapiForm::StartBitBtnClick);
    ConnectChipButton(ui.QK310RadioButton, &TOkapiForm::QK310RadioButtonClick);
    ConnectChipButton(ui.QK320RadioButton, &TOkapiForm::QK320RadioButtonClick);
    ConnectChipButton(ui.QK350RadioButton, &TOkapiForm::QK320RadioButtonClick);
    ConnectChipButton(ui.QK330RadioButton, &TOkapiForm::QK330RadioButtonClick);
    ConnectChipButton(ui.QK340RadioButton, &TOkapiForm::QK340RadioButtonClick);
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
    ConnectVolumePanel();
    ConnectWindowButtons();
}

// A chip button's handler runs when the button becomes checked; clicking the checked button again
// changes nothing (RESET is the way to activate the same chip again).
void TOkapiForm::ConnectChipButton(QRadioButton* button, void (TOkapiForm::*handler)()) {
    auto wasChecked = std::make_shared<bool>(false);
    connect(button, &QRadioButton::pressed, this,
            [button, wasChecked] { *wasChecked = button->isChecked(); });
    connect(button, &QRadioButton::clicked, this, [this, handler, wasChecked] {
        if (!*wasChecked) (this->*handler)();
    });
}

void TOkapiForm::ConnectVolumePanel() {
    qk310MasterVolume_ = {Generation::First,
                          ui.MasterVolTrackBar,
                          ui.MasterVolUpDown,
                          ui.MasterVolReadout,
                          qk::QK310LoudestVolumeCode,
                          QK310ZeroDbPosition,
                          &TOkapiForm::QK310VolumeCodeText,
                          &TOkapiForm::ApplyAllQK310ChannelVolumes};
    qk330MasterVolume_ = {Generation::QK330,
                          ui.QK330MasterVolTrackBar,
                          ui.QK330MasterVolUpDown,
                          ui.QK330MasterVolReadout,
                          QK330LoudestCode,
                          QK330ZeroDbPosition,
                          &TOkapiForm::QK330VolumeCodeText,
                          &TOkapiForm::QK330ApplyAllChannelVolumes};
    qk310MuteAll_ = {ui.QK310MuteAllBitBtn, &TOkapiForm::QK310MuteAllEngaged,
                     &TOkapiForm::QK310MuteAllToMuteRegister};
    qk330MuteAll_ = {ui.QK330MuteAllBitBtn, &TOkapiForm::QK330MuteAllEngaged,
                     &TOkapiForm::QK330MuteAllToMuteRegister};

    connect(ui.MasterVolTrackBar, &QSlider::valueChanged, this,
            &TOkapiForm::MasterVolTrackBarChange);
    connect(ui.MasterVolUpDown, &qk::UpDown::clicked, this, &TOkapiForm::MasterVolUpDownClick);
    connect(ui.MasterVolZeroBitBtn, &QPushButton::clicked, this,
            &TOkapiForm::MasterVolZeroBitBtnClick);
    connect(ui.QK330MasterVolTrackBar, &QSlider::valueChanged, this,
            &TOkapiForm::QK330MasterVolTrackBarChange);
    connect(ui.QK330MasterVolUpDown, &qk::UpDown::clicked, this,
            &TOkapiForm::QK330MasterVolUpDownClick);
    connect(ui.QK330MasterVolZeroBitBtn, &QPushButton::clicked, this,
            &TOkapiForm::QK330MasterVolZeroBitBtnClick);

    volumeCheckBoxes_ = {ui.Volume1CheckBox, ui.Volume2CheckBox, ui.Volume3CheckBox,
                         ui.Volume4CheckBox, ui.Volume5CheckBox, ui.Volume6CheckBox};
    channelReadouts_ = {ui.Ch1Readout, ui.Ch2Readout, ui.Ch3Readout,
                        ui.Ch4Readout, ui.Ch5Readout, ui.Ch6Readout};
    channelHexReadouts_ = {ui.Ch1HexReadout, ui.Ch2HexReadout, ui.Ch3HexReadout,
                           ui.Ch4HexReadout, ui.Ch5HexReadout, ui.Ch6HexReadout};
    for (int channel = 1; channel <= Channels; ++channel)
        connect(VolumeCheckBox(channel), &QCheckBox::clicked, this,
                [this, channel] { VolumeCheckBoxClick(channel); });

    const std::pair<QPushButton*, void (TOkapiForm::*)()> buttons[] = {
        {ui.QK310MuteAllBitBtn, &TOkapiForm::QK310MuteAllBitBtnClick},
        {ui.QK330MuteAllBitBtn, &TOkapiForm::QK330MuteAllBitBtnClick},
        {ui.QK310PWMResetBitBtn, &TOkapiForm::QK310PWMResetBitBtnClick},
        {ui.QK330PWMResetBitBtn, &TOkapiForm::QK330PWMResetBitBtnClick},
        {ui.QK310InitSWBitBtn, &TOkapiForm::QK310InitSWBitBtnClick},
        {ui.QK330InitSWBitBtn, &TOkapiForm::QK330InitSWBitBtnClick},
    };
    for (auto [button, handler] : buttons) connect(button, &QPushButton::clicked, this, handler);
}

// The buttons that open register windows. The windows are created after the main window, so
// each is looked up when its button is clicked.
void TOkapiForm::ConnectWindowButtons() {
    struct WindowButton {
        QPushButton* button;
        QWidget* (*window)();
    };
    const WindowButton buttons[] = {
        {ui.QK310RegistersBitBtn, []() -> QWidget* { return RegistersForm; }},
        {ui.QK310DCOffsetBitBtn, []() -> QWidget* { return DCOffsetForm; }},
        {ui.QK310InterChDelayBitBtn, []() -> QWidget* { return InterchDelayForm; }},
        {ui.QK310ChannelSetupBitBtn, []() -> QWidget* { return SixChBalanceForm; }},
        {ui.QK330RegistersBitBtn, [] { return QK330RegForm; }},
        {ui.QK330DCOffsetBitBtn, [] { return QK330DCOffsetForm; }},
        {ui.QK330InterChDelayBitBtn, [] { return QK330InterchDelayForm; }},
        {ui.QK330ChannelSetupBitBtn, [] { return QK330SixChBalanceForm; }},
        {ui.ConfCtlBitBtn, [] { return QK330ChConfigControlRegForm; }},
    };
    for (const WindowButton& b : buttons)
        connect(b.button, &QPushButton::clicked, this,
                [window = b.window] { qk::OpenWindow(window()); });
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
    if (!BusLinesRise() || !bus.I2cProbe(DeviceAddress, 0, nullptr, 0)) {
        qk::ShowModal(*NoDeviceDlgForm);
        OfferAllFirstGenerationChips();
        return;
    }
    IdentifyChip();
}

// A bus with a line held low answers every probe: it is reported on the red line instead.
bool TOkapiForm::BusLinesRise() {
    switch (I2CForm->Bus().LineHeldLow()) {
        case qk::I2cBus::HeldLine::None:
            return true;
        case qk::I2cBus::HeldLine::Sda:
            ShowErrorLine("SDA Low");
            return false;
        case qk::I2cBus::HeldLine::Scl:
            ShowErrorLine("SCL Low");
            return false;
    }
    return false;
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
    const uint8_t id = RegistersForm->Image().ReadRegister(qk::ChipIdRegister) & qk::ChipIdMask;
    auto captureChip = [this](TQK310Form* model) {
        ChipNeedsInit = false;
        model->InitSubAddresses();
        model->CaptureDefaultImage();
    };
    switch (id) {
        case qk::QK310ChipId:
            captureChip(QK310Form);
            ui.QK310RadioButton->show();
            CheckChipButton(ui.QK310RadioButton, &TOkapiForm::QK310RadioButtonClick);
            break;
        case qk::QK320ChipId:
            captureChip(QK320Form);
            ui.QK320RadioButton->show();
            CheckChipButton(ui.QK320RadioButton, &TOkapiForm::QK320RadioButtonClick);
            break;
        case qk::QK350ChipId:
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
    Log().SetLogging(ui.DataLogCheckBox->isChecked());
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

// --- Volume and mute panel ---

QCheckBox* TOkapiForm::VolumeCheckBox(int channel) const {
    return volumeCheckBoxes_.at(channel - 1);
}
QLabel* TOkapiForm::ChannelReadout(int channel) const {
    return channelReadouts_.at(channel - 1);
}
QLabel* TOkapiForm::ChannelHexReadout(int channel) const {
    return channelHexReadouts_.at(channel - 1);
}

// QK320 and QK350/60 are served by the first generation, QK340 by the QK330's windows.
std::optional<TOkapiForm::Generation> TOkapiForm::CheckedGeneration() const {
    for (const QRadioButton* button :
         {ui.QK310RadioButton, ui.QK320RadioButton, ui.QK350RadioButton})
        if (button->isChecked()) return Generation::First;
    for (const QRadioButton* button : {ui.QK330RadioButton, ui.QK340RadioButton})
        if (button->isChecked()) return Generation::QK330;
    return std::nullopt;
}

void TOkapiForm::MasterVolTrackBarChange() {
    MasterVolumeChange(qk310MasterVolume_);
}
void TOkapiForm::MasterVolUpDownClick() {
    MasterVolumeUpDownClick(qk310MasterVolume_);
}
void TOkapiForm::MasterVolZeroBitBtnClick() {
    MasterVolumeZeroClick(qk310MasterVolume_);
}
void TOkapiForm::QK330MasterVolTrackBarChange() {
    MasterVolumeChange(qk330MasterVolume_);
}
void TOkapiForm::QK330MasterVolUpDownClick() {
    MasterVolumeUpDownClick(qk330MasterVolume_);
}
void TOkapiForm::QK330MasterVolZeroBitBtnClick() {
    MasterVolumeZeroClick(qk330MasterVolume_);
}

// There is no master volume register: the master position is folded into every channel's code.
void TOkapiForm::MasterVolumeChange(const MasterVolume& master) {
    if (CheckedGeneration() != master.generation) return;
    const int position = master.slider->value();
    (this->*master.codeText)(master.loudestCode - position, master.readout);
    master.upDown->setPosition(position);
    (this->*master.applyAllChannelVolumes)();
}

// The change handler runs once more after the slider move, so the channels are written even
// when the slider stood at the up-down's position already.
void TOkapiForm::MasterVolumeUpDownClick(const MasterVolume& master) {
    master.slider->setValue(master.upDown->position());
    MasterVolumeChange(master);
}

void TOkapiForm::MasterVolumeZeroClick(const MasterVolume& master) {
    master.upDown->setPosition(master.zeroDbPosition);
    master.slider->setValue(master.zeroDbPosition);
    MasterVolumeChange(master);
}

void TOkapiForm::QK310VolumeCodeText(int code, QLabel* label) {
    QK310Form->VolumeCodeText(code, label);
}
void TOkapiForm::ApplyAllQK310ChannelVolumes() {
    SixChBalanceForm->ApplyAllChannelVolumes();
}

void TOkapiForm::VolumeCheckBoxClick(int channel) {
    const std::optional<Generation> generation = CheckedGeneration();
    if (generation == Generation::First) {
        QK310Form->ApplyChannelEnable(channel);
        RegistersForm->Reg19ButtonClick();
    } else if (generation == Generation::QK330) {
        QK330ApplyChannelEnable(channel);
    }
}

void TOkapiForm::QK310MuteAllBitBtnClick() {
    ToggleMuteAll(qk310MuteAll_);
}
void TOkapiForm::QK330MuteAllBitBtnClick() {
    ToggleMuteAll(qk330MuteAll_);
}

void TOkapiForm::ToggleMuteAll(const MuteAll& muteAll) {
    bool& engaged = this->*muteAll.engaged;
    engaged = !engaged;
    muteAll.button->setText(engaged ? "MUTED" : "MUTE ALL");
    qk::SetTextColor(muteAll.button, engaged ? qk::clLime : qk::clBlack);
    (this->*muteAll.applyToMuteRegister)(engaged);
}

// Only the enabled channels follow MUTE ALL; a disabled channel's unmute box stays as it is.
// The mute register is written whatever the state, with the boxes as they now stand.
void TOkapiForm::QK310MuteAllToMuteRegister(bool engaged) {
    const qk::BitBoxes unmute = RegistersForm->Group(qk::QK310RegisterImage::ChannelMuteRegister);
    for (int channel = 1; channel <= Channels; ++channel)
        if (VolumeCheckBox(channel)->isChecked()) unmute[channel - 1]->setChecked(!engaged);
    RegistersForm->Reg19ButtonClick();
}

void TOkapiForm::QK310PWMResetBitBtnClick() {
    I2CForm->Bus().I2cResetErrors();
    for (int item : {SoftResetItem, NormalModeItem}) {
        SysControl1Form->ui.D2RadioGroup->setItemIndex(item);
        SysControl1Form->ApplyButtonClick();
    }
}

void TOkapiForm::QK330PWMResetBitBtnClick() {
    I2CForm->Bus().I2cResetErrors();
    QK330SoftResetPulse();
}

void TOkapiForm::QK310InitSWBitBtnClick() {
    ui.ErrorLabel->setText(ErrorLineCleared);
    ResetErrorsAndReselectChip();
}

void TOkapiForm::QK330InitSWBitBtnClick() {
    ResetErrorsAndReselectChip();
}

void TOkapiForm::ResetErrorsAndReselectChip() {
    I2CForm->Bus().I2cResetErrors();
    const std::pair<QRadioButton*, void (TOkapiForm::*)()> chips[] = {
        {ui.QK310RadioButton, &TOkapiForm::QK310RadioButtonClick},
        {ui.QK320RadioButton, &TOkapiForm::QK320RadioButtonClick},
        {ui.QK350RadioButton, &TOkapiForm::QK320RadioButtonClick},
        {ui.QK330RadioButton, &TOkapiForm::QK330RadioButtonClick},
        {ui.QK340RadioButton, &TOkapiForm::QK340RadioButtonClick},
    };
    for (auto [button, handler] : chips) {
        if (!button->isChecked()) continue;
        (this->*handler)();
        return;
    }
}

// The QK330 model has no volume conversion yet: the readout keeps its text.
void TOkapiForm::QK330VolumeCodeText(int, QLabel*) {}
// The QK330 balance window (QK330SixChBalanceForm) has no channels to apply yet.
void TOkapiForm::QK330ApplyAllChannelVolumes() {}
// The QK330 model and register editor (register 11h) have no channel enable yet.
void TOkapiForm::QK330ApplyChannelEnable(int) {}
// The QK330 register editor has no unmute boxes (11h) to set yet.
void TOkapiForm::QK330MuteAllToMuteRegister(bool) {}
// The QK330 System Control 2 window has no D2 group to pulse yet.
void TOkapiForm::QK330SoftResetPulse() {}

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
