#include "gui/widgets/Colors.h"

#include <QApplication>
#include <QPalette>

namespace qk {

QColor BgrColor(uint32_t bgr) {
    if (bgr == clBtnFace) return QApplication::palette().color(QPalette::Button);
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

namespace {

void SetRoleColors(QWidget* widget, std::initializer_list<QPalette::ColorRole> roles,
                   uint32_t bgr) {
    QPalette palette = widget->palette();
    const QColor color = BgrColor(bgr);
    for (auto role : roles) palette.setColor(role, color);
    widget->setPalette(palette);
}

}  // namespace

void SetTextColor(QWidget* widget, uint32_t bgr) {
    SetRoleColors(widget, {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}, bgr);
}

void SetBackgroundColor(QWidget* widget, uint32_t bgr) {
    SetRoleColors(widget, {QPalette::Window, QPalette::Button, QPalette::Base}, bgr);
    widget->setAutoFillBackground(true);
}

QColor TextColor(const QWidget* widget) {
    return widget->palette().color(QPalette::WindowText);
}

}  // namespace qk
