#include "gen1/Registersunit.h"

#include "app/Forms.h"
#include "gen1/Dcoffsetunit.h"
#include "gen1/Interchdelayunit.h"
#include "gen1/Syscontrol0unit.h"
#include "gen1/Syscontrol1unit.h"
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

}  // namespace

TRegistersForm::TRegistersForm(QWidget* parent) : QWidget(parent) {
    ui.setupUi(this);
    setFixedSize(size());
    QGroupBox* const boxes[] = {ui.Reg00GroupBox, ui.Reg01GroupBox, ui.Reg02GroupBox,
                                ui.Reg03GroupBox, ui.Reg04GroupBox, ui.Reg05GroupBox,
                                ui.Reg12GroupBox, ui.Reg19GroupBox};
    for (size_t i = 0; i < groups_.size(); ++i)
        groups_[i] = qk::BuildRegisterGroup(boxes[i], kGroupLayouts[i]);
}

qk::BitBoxes TRegistersForm::Group(uint8_t reg) const {
    for (size_t i = 0; i < groups_.size(); ++i)
        if (kGroupRegisters[i] == reg) return groups_[i];
    return {};
}

void TRegistersForm::Reg19ButtonClick() {}

void TRegistersForm::RefreshEntry(int entry) {
    const uint8_t value = image_.CurrentImage.at(entry);
    if (entry == 2 || entry == 3) {
        qk::ShowBits(Group(uint8_t(entry)), value);
        if (entry == 2) SysControl0Form->Reload();
        if (entry == 3) SysControl1Form->Reload();
    }
    if (entry >= 6 && entry <= 11) DCOffsetForm->SetChannelFromValue(entry - 5, value);
    if (entry >= 12 && entry <= 17) InterchDelayForm->SetChannelFromValue(entry - 11, value);
}
