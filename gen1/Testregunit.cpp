#include "gen1/Testregunit.h"

#include "app/Forms.h"
#include "gen1/Registersunit.h"
#include "gen1/Testreg0unit.h"
#include "widgets/RegisterGroup.h"

namespace {

const qk::RegisterGroupLayout kGroupLayouts[] = {
    {"1D",
     {"Not Used", "Not Used", "NS_Enable", "Value", "Value", "Value", "Value", "Value"},
     0x00,
     0x33},
    {"1E",
     {"MCLK_OUT", "ReClk Low", "ReClk High", "Buffer Low", "Buffer High", "Reset Filter",
      "Clear Filter", "Bypass"},
     0xFF,
     0x00},
    {"1F",
     {"Test Enable", "Not Used", "Not Used", "Not Used", "Not Used", "Not Used", "Not Used",
      "PLL Bypass"},
     0x81,
     0x00},
};

}  // namespace

TTestRegForm::TTestRegForm(QWidget* parent) : QWidget(parent) {
    ui.setupUi(this);
    setFixedSize(size());
    QGroupBox* const boxes[] = {ui.Reg1DGroupBox, ui.Reg1EGroupBox, ui.Reg1FGroupBox};
    for (size_t i = 0; i < groups_.size(); ++i)
        groups_[i] = qk::BuildRegisterGroup(boxes[i], kGroupLayouts[i]);
    const std::pair<QPushButton*, void (TTestRegForm::*)()> handlers[] = {
        {ui.Reg1DButton, &TTestRegForm::Reg1DButtonClick},
        {ui.Reg1EButton, &TTestRegForm::Reg1EButtonClick},
        {ui.Reg1ESendButton, &TTestRegForm::Reg1ESendButtonClick},
        {ui.Reg1FButton, &TTestRegForm::Reg1FButtonClick},
        {ui.ReadAllButton, &TTestRegForm::ReadAllButtonClick},
        {ui.CancelButton, &TTestRegForm::CancelButtonClick},
    };
    for (const auto& [button, handler] : handlers)
        connect(button, &QPushButton::clicked, this, handler);
}

qk::BitBoxes TTestRegForm::Group(uint8_t reg) const {
    if (reg < 0x1D || reg > 0x1F) return {};
    return groups_[reg - 0x1D];
}

void TTestRegForm::ReadGroup(uint8_t reg) {
    qk::QK310RegisterImage& image = RegistersForm->Image();
    image.Current(reg) = image.ReadRegister(reg);
    qk::ShowBits(Group(reg), image.Current(reg));
}

uint8_t TTestRegForm::SendGroup(uint8_t reg) {
    qk::QK310RegisterImage& image = RegistersForm->Image();
    image.Current(reg) = qk::PackBits(Group(reg));
    image.WriteRegister(reg, image.Current(reg));
    return image.Current(reg);
}

void TTestRegForm::Reg1DButtonClick() {
    ReadGroup(0x1D);
}

void TTestRegForm::Reg1EButtonClick() {
    qk::OpenWindow(TestReg0Form);
}

void TTestRegForm::Reg1ESendButtonClick() {
    qk::ShowBits(Group(0x1E), SendGroup(0x1E));
    TestReg0Form->Reload();
}

void TTestRegForm::Reg1FButtonClick() {
    SendGroup(0x1F);
}

void TTestRegForm::ReadAllButtonClick() {
    ReadGroup(0x1D);
    ReadGroup(0x1E);
    TestReg0Form->Reload();
    ReadGroup(0x1F);
}

void TTestRegForm::CancelButtonClick() {
    qk::QK310RegisterImage& image = RegistersForm->Image();
    for (uint8_t reg : {0x1D, 0x1E, 0x1F}) qk::ShowBits(Group(reg), image.Current(reg));
    hide();
}
