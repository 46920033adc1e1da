#include "gui/gen1/Testregunit.h"

#include "gui/gen1/Testreg0unit.h"
#include "gui/registry/Forms.h"
#include "gui/widgets/RegisterGroup.h"

namespace {

using Registers = qk::QK310RegisterImage;

constexpr uint8_t kDitherRegister = 0x1D, kTest1Register = 0x1F;

// READ ALL reads the groups in this order.
// clang-format off
const qk::RegisterGroupLayout kGroupLayouts[] = {
    {.reg = "1D", .enabledBits = 0x00, .initialBits = 0x33, .tristate = false},
    {.reg = "1E", .enabledBits = 0xFF, .initialBits = 0x00, .tristate = false},
    {.reg = "1F", .enabledBits = 0x81, .initialBits = 0x00, .tristate = false},
};
// clang-format on

// The Test Register 0 window shows register 1Eh in readable form; it reloads without writing.
void FollowGroup(uint8_t reg) {
    if (reg == Registers::Test0Register) TestReg0Form->Reload();
}

}  // namespace

TTestRegForm::TTestRegForm(qk::ChipSession& session, QWidget* parent)
    : QWidget(parent),
      session_(session),
      groups_(
          qk::QK310Map(), [this]() -> Registers& { return session_.FirstGenerationImage(); },
          FollowGroup) {
    ui.setupUi(this);
    setFixedSize(size());
    groups_.Build(this, kGroupLayouts);
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
    // The Test Register 0 window, made before this one, edits group 1E.
    TestReg0Form->EditGroup([this] { return Group(Registers::Test0Register); });
    connect(&session, &qk::ChipSession::registerRefreshed, this,
            [this](qk::ChipFamily family, uint8_t reg) {
                if (family == qk::ChipFamily::QK310) RefreshRegister(reg);
            });
}

qk::BitBoxes TTestRegForm::Group(uint8_t reg) const {
    return groups_.Boxes(reg);
}

void TTestRegForm::RefreshRegister(uint8_t reg) {
    if (groups_.Shows(reg)) groups_.Refresh(reg, session_.FirstGenerationImage().Current(reg));
}

void TTestRegForm::Reg1DButtonClick() {
    groups_.Read(kDitherRegister);
}

void TTestRegForm::Reg1EButtonClick() {
    qk::OpenWindow(TestReg0Form);
}

void TTestRegForm::Reg1ESendButtonClick() {
    groups_.Apply(Registers::Test0Register);
}

void TTestRegForm::Reg1FButtonClick() {
    groups_.Send(kTest1Register);
}

void TTestRegForm::ReadAllButtonClick() {
    groups_.ReadAll();
}

void TTestRegForm::CancelButtonClick() {
    groups_.ShowImage();
    hide();
}
