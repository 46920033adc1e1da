#include "gui/qk330/QK330Syscontrol3unit.h"

#include "gui/qk330/QK330SetupRegister.h"

namespace {
constexpr uint8_t kRegister = 0x05;
}  // namespace

TQK330SysControl3Form::TQK330SysControl3Form(qk::ChipSession& session, QWidget* parent)
    : RadioRegisterForm(session, parent) {
    ui.setupUi(this);
    // clang-format off
    Bind(qk::QK330EditorRegister(session, kRegister), {
        // PLL values 11..15 have no item: a reload keeps the previous choice.
        {.group = ui.PLLMultiplyRadioGroup, .shift = 4, .width = 4, .codes = qk::AscendingCodes(11)},
        {.group = ui.DeemphasisRadioGroup, .shift = 1, .width = 2, .codes = qk::AscendingCodes(4)},
        {.group = ui.CLKValidRadioGroup, .shift = 0, .width = 1, .codes = qk::AscendingCodes(2)},
    });
    // clang-format on
    qk::FollowEditorGroup(*this, kRegister);
    setFixedSize(size());
}
