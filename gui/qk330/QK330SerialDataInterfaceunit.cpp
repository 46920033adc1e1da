#include "gui/qk330/QK330SerialDataInterfaceunit.h"

#include "gui/qk330/QK330SetupRegister.h"

namespace {
constexpr uint8_t kRegister = 0x0E;
}  // namespace

TQK330SerialDataInterfaceCtlForm::TQK330SerialDataInterfaceCtlForm(qk::ChipSession& session,
                                                                   QWidget* parent)
    : RadioRegisterForm(session, parent) {
    ui.setupUi(this);
    // clang-format off
    Bind(qk::QK330EditorRegister(session, kRegister), {
        // Formats 11..15 have no item: a reload keeps the previous choice.
        {.group = ui.SerialDataFormatRadioGroup, .shift = 0, .width = 4, .codes = qk::AscendingCodes(11)},
    });
    // clang-format on
    qk::FollowEditorGroup(*this, kRegister);
    setFixedSize(size());
}
