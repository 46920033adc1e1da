#pragma once
#include <QColor>
#include <QWidget>
#include <cstdint>

namespace qk {

// Colours are given as 0x00BBGGRR; 0x8000000F is the system button face.
constexpr uint32_t clBlack = 0x000000, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                   clNavy = 0x800000, clMaroon = 0x000080, clBlue = 0xFF0000, clSilver = 0xC0C0C0,
                   clBtnFace = 0x8000000F;

QColor BgrColor(uint32_t bgr);
void SetTextColor(QWidget* widget, uint32_t bgr);
void SetBackgroundColor(QWidget* widget, uint32_t bgr);
// The colour the widget's text is drawn in (for tests and for toggling).
QColor TextColor(const QWidget* widget);

}  // namespace qk
