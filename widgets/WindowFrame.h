#pragma once
#include <QWidget>

namespace qk {

// Fixes a window at its laid-out size and gives it the frame its kind has: a dialog (the modal
// dialogs and the About box) a title bar with its close box only; every other window a title bar
// with system menu, minimise and close boxes, and no maximise box.
void SetWindowFrame(QWidget& window);

}  // namespace qk
