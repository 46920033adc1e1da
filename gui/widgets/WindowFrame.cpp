#include "gui/widgets/WindowFrame.h"

#include <QDialog>

namespace qk {

void SetWindowFrame(QWidget& window) {
    // CustomizeWindowHint: only the hints given here, whatever the window system would add.
    constexpr Qt::WindowFlags TitleBar = Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    const bool dialog = qobject_cast<QDialog*>(&window) != nullptr;
    window.setWindowFlags(dialog ? Qt::Dialog | TitleBar
                                 : Qt::Window | TitleBar | Qt::WindowMinimizeButtonHint);
    window.setFixedSize(window.size());
}

void SetOuterWidth(QWidget& window, int outerWidth) {
    const int frameWidth = window.frameGeometry().width() - window.width();
    window.setFixedWidth(outerWidth - frameWidth);
}

}  // namespace qk
