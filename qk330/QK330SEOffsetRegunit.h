#pragma once
#include <QWidget>
#include <cstdint>

// "QK330 SE Offset". The window is created with the others and stays hidden until opened; its
// controls come with its own work. The operations below are what the other windows call.
class TQK330SEOffsetRegForm : public QWidget {
    Q_OBJECT
  public:
    explicit TQK330SEOffsetRegForm(QWidget* parent = nullptr);

    // Shows byte 1..4 (32h..35h) of the SE offset, then Hex Enter, Float Enter and APPLY.
    void ShowSeOffsetByte(int byte, uint8_t value);
};
