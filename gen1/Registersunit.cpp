#include "gen1/Registersunit.h"

#include <QLineEdit>

#include "app/Forms.h"
#include "gen1/Dcoffsetunit.h"
#include "gen1/Interchdelayunit.h"
#include "gen1/Syscontrol0unit.h"
#include "gen1/Syscontrol1unit.h"
#include "gen1/Testreg0unit.h"
#include "gen1/Testregunit.h"
#include "widgets/RegisterGroup.h"

namespace {

// The editor's groups, in the order of kGroupRegisters.
constexpr uint8_t kGroupRegisters[] = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x12, 0x19};

const qk::RegisterGroupLayout kGroupLayouts[] = {
    {"00",
     {"Vol Update", "Off", "ID Code", "ID Code", "ID Code", "ID Code", "ID Code", "No Errors"},
     0x00,
     0x01,
     true},
    {"01",
     {"FS", "Control Pin", "SCLK", "LRCLK", "MCLK Count", "DCLK Phase", "MCLK Timing",
      "PWM Timing"},
     0x00,
     0x00},
    {"02",
     {"Speed", "Speed", "Use DE I2C", "De-Emphasis", "De-Emphasis", "Format", "Format", "Format"},
     0xFF,
     0x00},
    {"03",
     {"Not Used", "0 Auto Mute", "0 in mute", "Normal Mode", "SRD 18TC", "Normal Mode", "Auto Mute",
      "RESET Regs"},
     0x7F,
     0x00},
    {"04",
     {"Not Used", "Not Used", "Ch6 No ERM", "Ch5 No ERM", "Ch4 No ERM", "Ch3 No ERM", "Ch2 No ERM",
      "Ch1 No ERM"},
     0x3F,
     0x3F},
    {"05",
     {"Not Used", "Not Used", "Not Used", "Not Used", "DELAY", "DELAY", "DELAY", "DELAY"},
     0x00,
     0x00},
    {"12",
     {"Not Used", "Not Used", "Not Used", "DELAY", "DELAY", "DELAY", "DELAY", "DELAY"},
     0x00,
     0x00},
    {"19",
     {"Not Used", "Not Used", "Ch6 UnMute", "Ch5 UnMute", "Ch4 UnMute", "Ch3 UnMute", "Ch2 UnMute",
      "Ch1 UnMute"},
     0x3F,
     0x3F},
};

// A list's item whose text is the list's current text, or -1 when typed text matches none.
int SelectedItem(const QComboBox* list) {
    return list->findText(list->currentText(), Qt::MatchExactly);
}

// The delay lists take typed text as it is: no completion that would pick an item while typing,
// and Enter adds no item.
void PrepareDelayList(QComboBox* list) {
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setCompleter(nullptr);
    // The initial text names an item: that item is the list's selection.
    list->setCurrentIndex(SelectedItem(list));
}

constexpr int kFirstDcOffsetEntry = 6, kFirstDelayEntry = 12, kFirstVolumeEntry = 19;
constexpr int kChannels = 6;

}  // namespace

TRegistersForm::TRegistersForm(QWidget* parent) : QWidget(parent) {
    ui.setupUi(this);
    setFixedSize(size());
    QGroupBox* const boxes[] = {ui.Reg00GroupBox, ui.Reg01GroupBox, ui.Reg02GroupBox,
                                ui.Reg03GroupBox, ui.Reg04GroupBox, ui.Reg05GroupBox,
                                ui.Reg12GroupBox, ui.Reg19GroupBox};
    for (size_t i = 0; i < groups_.size(); ++i)
        groups_[i] = qk::BuildRegisterGroup(boxes[i], kGroupLayouts[i]);
    delayLists_ = {DelayList{ui.AutoMuteDelayComboBox, 0x05, 0x0F},
                   DelayList{ui.ABDdelayComboBox, 0x12, 0x1F}};
    for (const DelayList& delay : delayLists_) PrepareDelayList(delay.list);
    ConnectHandlers();
}

void TRegistersForm::ConnectHandlers() {
    const std::pair<QAbstractButton*, void (TRegistersForm::*)()> buttons[] = {
        {ui.Reg00Button, &TRegistersForm::Reg00ButtonClick},
        {ui.Reg01Button, &TRegistersForm::Reg01ButtonClick},
        {ui.Reg01SendButton, &TRegistersForm::Reg01SendButtonClick},
        {ui.Reg02Button, &TRegistersForm::Reg02ButtonClick},
        {ui.Reg02SendButton, &TRegistersForm::Reg02SendButtonClick},
        {ui.Reg03Button, &TRegistersForm::Reg03ButtonClick},
        {ui.Reg03SendButton, &TRegistersForm::Reg03SendButtonClick},
        {ui.Reg04Button, &TRegistersForm::Reg04ButtonClick},
        {ui.Reg19Button, &TRegistersForm::Reg19ButtonClick},
        {ui.ReadAllButton, &TRegistersForm::ReadAllButtonClick},
        {ui.CancelButton, &TRegistersForm::CancelButtonClick},
        {ui.TestRegBitBtn, &TRegistersForm::TestRegBitBtnClick},
    };
    for (auto [button, handler] : buttons)
        connect(button, &QAbstractButton::clicked, this, handler);

    // Only the user changes a list: a choice from it, or typing. A selection set from code
    // (a list following its bits) writes nothing.
    const std::pair<QComboBox*, void (TRegistersForm::*)()> lists[] = {
        {ui.AutoMuteDelayComboBox, &TRegistersForm::AutoMuteDelayComboBoxChange},
        {ui.ABDdelayComboBox, &TRegistersForm::ABDdelayComboBoxChange},
    };
    for (auto [list, handler] : lists) {
        connect(list, &QComboBox::activated, this, handler);
        connect(list->lineEdit(), &QLineEdit::textEdited, this, handler);
    }
}

qk::BitBoxes TRegistersForm::Group(uint8_t reg) const {
    for (size_t i = 0; i < groups_.size(); ++i)
        if (kGroupRegisters[i] == reg) return groups_[i];
    return {};
}

uint8_t TRegistersForm::WriteGroup(uint8_t reg) {
    uint8_t& stored = image_.Current(reg);
    stored = qk::PackBits(Group(reg));
    image_.WriteRegister(reg, stored);
    return stored;
}

void TRegistersForm::ApplyGroup(uint8_t reg) {
    ShowGroup(reg, WriteGroup(reg));
    FollowGroup(reg);
}

void TRegistersForm::ReadGroup(uint8_t reg) {
    uint8_t& stored = image_.Current(reg);
    stored = image_.ReadRegister(reg);
    ShowGroup(reg, stored);
    FollowGroup(reg);
}

void TRegistersForm::ShowGroup(uint8_t reg, uint8_t value) {
    qk::ShowBits(Group(reg), value);
}

void TRegistersForm::FollowGroup(uint8_t reg) {
    if (reg == 0x02) SysControl0Form->Reload();  // reloads and writes 02h once more
    if (reg == 0x03) SysControl1Form->Reload();  // reloads and writes 03h once more
    if (const DelayList* delay = DelayListOf(reg)) ListFollowsBits(*delay);
}

const TRegistersForm::DelayList* TRegistersForm::DelayListOf(uint8_t reg) const {
    for (const DelayList& delay : delayLists_)
        if (delay.reg == reg) return &delay;
    return nullptr;
}

void TRegistersForm::DelayListChange(const DelayList& delay) {
    const int item = SelectedItem(delay.list);
    // The bits above the delay field are cleared; no selection means delay code 0.
    ShowGroup(delay.reg, item < 0 ? 0 : uint8_t(item & delay.mask));
    WriteGroup(delay.reg);
}

void TRegistersForm::ListFollowsBits(const DelayList& delay) {
    const int code = qk::PackBits(Group(delay.reg)) & delay.mask;
    // AutoMute codes 10..15 have no item: the first item stands for them.
    delay.list->setCurrentIndex(code < delay.list->count() ? code : 0);
}

void TRegistersForm::Reg00ButtonClick() {
    ReadGroup(0x00);
}

void TRegistersForm::Reg01ButtonClick() {
    ReadGroup(0x01);
}

void TRegistersForm::Reg01SendButtonClick() {
    ShowGroup(0x01, 0x80);  // only "FS" stays checked
    ShowGroup(0x01, WriteGroup(0x01));
}

void TRegistersForm::Reg02ButtonClick() {
    qk::OpenWindow(SysControl0Form);
}

void TRegistersForm::Reg02SendButtonClick() {
    ApplyGroup(0x02);
}

void TRegistersForm::Reg03ButtonClick() {
    qk::OpenWindow(SysControl1Form);
}

void TRegistersForm::Reg03SendButtonClick() {
    ApplyGroup(0x03);
}

void TRegistersForm::Reg04ButtonClick() {
    WriteGroup(0x04);
}

void TRegistersForm::AutoMuteDelayComboBoxChange() {
    DelayListChange(delayLists_[0]);
}

void TRegistersForm::ABDdelayComboBoxChange() {
    DelayListChange(delayLists_[1]);
}

void TRegistersForm::Reg19ButtonClick() {
    uint8_t& stored = image_.Current(qk::QK310RegisterImage::ChannelMuteRegister);
    stored = qk::PackBits(Group(0x19));
    image_.WriteRegisterAlways(qk::QK310RegisterImage::ChannelMuteRegister, stored);
}

void TRegistersForm::ReadAllButtonClick() {
    // 12h is read for the QK310 as well, although its group is hidden.
    for (uint8_t reg : kGroupRegisters) ReadGroup(reg);
}

void TRegistersForm::CancelButtonClick() {
    for (uint8_t reg : kGroupRegisters) ShowGroup(reg, image_.Current(reg));
    hide();
}

void TRegistersForm::TestRegBitBtnClick() {
    qk::OpenWindow(TestRegForm);
}

void TRegistersForm::RefreshEntry(int entry) {
    const uint8_t reg = qk::QK310RegisterImage::SubAddressOf(entry);
    const uint8_t value = image_.CurrentImage.at(entry);
    if (Group(reg)[0]) {
        ShowGroup(reg, value);
        FollowGroup(reg);
    } else if (entry >= kFirstDcOffsetEntry && entry < kFirstDcOffsetEntry + kChannels) {
        DCOffsetForm->SetChannelFromValue(entry - kFirstDcOffsetEntry + 1, value);
    } else if (entry >= kFirstDelayEntry && entry < kFirstDelayEntry + kChannels) {
        InterchDelayForm->SetChannelFromValue(entry - kFirstDelayEntry + 1, value);
    } else if (entry >= kFirstVolumeEntry && entry < kFirstVolumeEntry + kChannels) {
        // The channel volumes are written by the volume offset window, never shown from here.
    } else if (TestRegForm->Group(reg)[0]) {
        qk::ShowBits(TestRegForm->Group(reg), value);
        if (reg == 0x1E) TestReg0Form->Reload();  // radio groups only, no write
    }
}
