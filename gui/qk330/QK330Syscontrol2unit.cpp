#include "gui/qk330/QK330Syscontrol2unit.h"

#include "gui/qk330/QK330SetupRegister.h"

namespace {
constexpr uint8_t kRegister = 0x04;
}  // namespace

TQK330SysControl2Form::TQK330SysControl2Form(qk::ChipSession& session, QWidget* parent)
    : RadioRegisterForm(session, parent) {
    ui.setupUi(this);
    // clang-format off
    Bind(qk::QK330EditorRegister(session, kRegister), {
        {.group = ui.D7RadioGroup, .shift = 7, .width = 1, .codes = qk::AscendingCodes(2)},
        {.group = ui.D5RadioGroup, .shift = 5, .width = 1, .codes = qk::AscendingCodes(2)},
        {.group = ui.D2RadioGroup, .shift = 2, .width = 1, .codes = qk::AscendingCodes(2)},
        {.group = ui.D1RadioGroup, .shift = 1, .width = 1, .codes = qk::AscendingCodes(2)},
        // "Master Mode" (item 0) is D0 = 1.
        {.group = ui.D0RadioGroup, .shift = 0, .width = 1, .codes = qk::DescendingCodes(2)},
    });
    // clang-format on
    qk::FollowEditorGroup(*this, kRegister);
    setFixedSize(size());
}

void TQK330SysControl2Form::ApplyD2Item(int item) {
    ui.D2RadioGroup->setItemIndex(item);
    ApplyButtonClick();
}
