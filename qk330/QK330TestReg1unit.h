#pragma once
#include <QWidget>
#include <cstdint>

// "Test Register 1". The window is created with the others and stays hidden until opened; its
// controls come with its own work. The operations below are what the other windows call.
class TQK330TestReg1Form : public QWidget {
    Q_OBJECT
  public:
    explicit TQK330TestReg1Form(QWidget* parent = nullptr);

    // Reads the test register window's boxes of 7Fh into the window, then writes the register.
    void RefreshFromEditor();
};
