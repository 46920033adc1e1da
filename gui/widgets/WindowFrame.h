#pragma once
#include <QWidget>

namespace qk {

// Fixes a window at its laid-out size and gives it the frame its kind has: a dialog (the modal
// dialogs and the About box) a title bar with its close box only; every other window a title bar
// with system menu, minimise and close boxes, and no maximise box.
void SetWindowFrame(QWidget& window);

// Fixes a window's width so that with its frame it is `outerWidth` wide. The frame is known once
// the window has been shown; before that, and on platforms without frames, the client area takes
// the whole width.
void SetOuterWidth(QWidget& window, int outerWidth);

}  // namespace qk
