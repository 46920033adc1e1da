#include "gui/qk330/QK330SetupRegister.h"

#include "gui/qk330/QK330Regunit.h"

namespace qk {

RadioRegisterForm::Register QK330EditorRegister(ChipSession& session, uint8_t subAddress) {
    return {.subAddress = subAddress,
            .boxes = [subAddress] { return QK330RegForm->Group(subAddress); },
            .writesOnReload = true,
            .image = [&session]() -> ByteRegisters& { return session.QK330Image(); }};
}

// The setup windows are created after the editor.
void FollowEditorGroup(RadioRegisterForm& setup, uint8_t subAddress) {
    FollowGroup(*QK330RegForm, setup, subAddress);
}

}  // namespace qk
