#include "gui/qk330/QK330Syscontrol1unit.h"

#include "gui/qk330/QK330SetupRegister.h"

namespace {
constexpr uint8_t kRegister = 0x03;
}  // namespace

TQK330SysControl1Form::TQK330SysControl1Form(qk::ChipSession& session, QWidget* parent)
    : RadioRegisterForm(session, parent) {
    ui.setupUi(this);
    // clang-format off
    Bind(qk::QK330EditorRegister(session, kRegister), {
        // A reload selects the field value's item; values past the last item select the last.
        {.group = ui.SpeedRadioGroup, .shift = 6, .width = 2, .codes = {0b00, 0b01, 0b10}, .clampsOnReload = true},
        {.group = ui.SCLKRateRadioGroup, .shift = 4, .width = 2, .codes = {0b00, 0b01, 0b11}, .clampsOnReload = true},
        {.group = ui.MCLKOUTControlsRadioGroup, .shift = 3, .width = 1, .codes = qk::AscendingCodes(2)},
        {.group = ui.MCLKRadioGroup, .shift = 0, .width = 3, .codes = qk::AscendingCodes(7), .clampsOnReload = true},
    });
    // clang-format on
    qk::FollowEditorGroup(*this, kRegister);
    setFixedSize(size());
}
