#pragma once
#include <QObject>
#include <cstdint>

#include "gui/registerkit/RadioRegisterForm.h"
#include "gui/registry/Forms.h"

namespace qk {

// A register of the QK330 register editor as its setup window edits it: the editor's eight boxes,
// the QK330 image, and a reload that writes the register again.
RadioRegisterForm::Register QK330EditorRegister(ChipSession& session, uint8_t subAddress);

// Makes `setup` the setup window of register `subAddress` of `boxes`, the window whose check
// boxes it edits (the register editor or the test register window): it reloads from them when
// their group follows a read, an apply or a restore, and opens on their "Setup" button.
template <typename BoxesWindow>
void FollowGroup(BoxesWindow& boxes, RadioRegisterForm& setup, uint8_t subAddress) {
    QObject::connect(&boxes, &BoxesWindow::groupFollowed, &setup,
                     [&setup, subAddress](uint8_t reg) {
                         if (reg == subAddress) setup.Reload();
                     });
    QObject::connect(&boxes, &BoxesWindow::setupRequested, &setup,
                     [&setup, subAddress](uint8_t reg) {
                         if (reg == subAddress) OpenWindow(&setup);
                     });
}

// FollowGroup of the register editor's register.
void FollowEditorGroup(RadioRegisterForm& setup, uint8_t subAddress);

}  // namespace qk
