#include "gui/qk330/QK330ErrAndAutomuteDelayunit.h"

#include "gui/qk330/QK330SetupRegister.h"

namespace {
constexpr uint8_t kRegister = 0x13;
}  // namespace

TQK330ErrAndAutomuteDelayForm::TQK330ErrAndAutomuteDelayForm(qk::ChipSession& session,
                                                             QWidget* parent)
    : RadioRegisterForm(session, parent) {
    ui.setupUi(this);
    // clang-format off
    Bind(qk::QK330EditorRegister(session, kRegister), {
        {.group = ui.AutoMuteDelayRadioGroup, .shift = 0, .width = 4, .codes = qk::AscendingCodes(10)},
        {.group = ui.ErrorRecoveryDelayRadioGroup, .shift = 4, .width = 4, .codes = qk::AscendingCodes(16)},
    });
    // clang-format on
    qk::FollowEditorGroup(*this, kRegister);
    setFixedSize(size());
}
