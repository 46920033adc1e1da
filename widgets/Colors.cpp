#include "widgets/Colors.h"

#include <QApplication>
#include <QPalette>

namespace qk {

QColor BgrColor(uint32_t bgr) {
    if (bgr == clBtnFace) return QApplication::palette().color(QPalette::Button);
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

void SetTextColor(QWidget* widget, uint32_t bgr) {
    QPalette palette = widget->palette();
    const QColor color = BgrColor(bgr);
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        palette.setColor(role, color);
    widget->setPalette(palette);
}

void SetBackgroundColor(QWidget* widget, uint32_t bgr) {
    QPalette palette = widget->palette();
    const QColor color = BgrColor(bgr);
    for (auto role : {QPalette::Window, QPalette::Button, QPalette::Base})
        palette.setColor(role, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QColor TextColor(const QWidget* widget) {
    return widget->palette().color(QPalette::WindowText);
}

}  // namespace qk
