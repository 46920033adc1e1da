#include "gui/qk330/QK330ModIndexunit.h"

#include "gui/qk330/QK330SetupRegister.h"

namespace {
constexpr uint8_t kRegister = 0x0D;
}  // namespace

TQK330ModIndexForm::TQK330ModIndexForm(qk::ChipSession& session, QWidget* parent)
    : RadioRegisterForm(session, parent) {
    ui.setupUi(this);
    // clang-format off
    Bind(qk::QK330EditorRegister(session, kRegister), {
        {.group = ui.MOdIndexRadioGroup, .shift = 0, .width = 3, .codes = qk::AscendingCodes(8)},
    });
    // clang-format on
    qk::FollowEditorGroup(*this, kRegister);
    setFixedSize(size());
}
