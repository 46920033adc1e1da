#pragma once
#include <cstdint>

#include "gui/registerkit/RadioRegisterForm.h"

namespace qk {

// A register of the QK330 register editor as its setup window edits it: the editor's eight boxes,
// the QK330 image, and a reload that writes the register again.
RadioRegisterForm::Register QK330EditorRegister(ChipSession& session, uint8_t subAddress);

}  // namespace qk
