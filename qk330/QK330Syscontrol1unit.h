#pragma once
#include <QWidget>
#include <cstdint>

// "System Control 1". The window is created with the others and stays hidden until opened; its
// controls come with its own work. The operations below are what the other windows call.
class TQK330SysControl1Form : public QWidget {
    Q_OBJECT
  public:
    explicit TQK330SysControl1Form(QWidget* parent = nullptr);

    // Reads the register editor's boxes of 03h into the window, then writes the register.
    void RefreshFromEditor();
};
