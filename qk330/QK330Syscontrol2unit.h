#pragma once
#include <QWidget>
#include <cstdint>

// "System Control 2". The window is created with the others and stays hidden until opened; its
// controls come with its own work. The operations below are what the other windows call.
class TQK330SysControl2Form : public QWidget {
    Q_OBJECT
  public:
    explicit TQK330SysControl2Form(QWidget* parent = nullptr);

    // Reads the register editor's boxes of 04h into the window, then writes the register.
    void RefreshFromEditor();
    // Selects item 0 (soft reset) or 1 (normal) of the D2 group, then applies as APPLY does: the
    // main window's PWM INIT pulses the chip's soft reset with it.
    void ApplyD2Item(int item);
};
