#pragma once
#include <QWidget>
#include <cstdint>

// "Test Register 0". The window is created with the others and stays hidden until opened; its
// controls come with its own work. The operations below are what the other windows call.
class TQK330TestReg0Form : public QWidget {
    Q_OBJECT
  public:
    explicit TQK330TestReg0Form(QWidget* parent = nullptr);

    // Reads the test register window's boxes of 7Eh into the window, then writes the register.
    void RefreshFromEditor();
};
