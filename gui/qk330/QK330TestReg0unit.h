#pragma once
#include <cstdint>

#include "gui/registerkit/RadioRegisterForm.h"
#include "ui_QK330TestReg0unit.h"

// "Test Register 0": register 7Eh bit by bit through the test register window's boxes.
class TQK330TestReg0Form : public qk::RadioRegisterForm {
    Q_OBJECT
  public:
    explicit TQK330TestReg0Form(qk::ChipSession& session, QWidget* parent = nullptr);

    // Reads the test register window's boxes of 7Eh into the window, then writes the register.
    void RefreshFromEditor() { Reload(); }

  private:
    Ui::TQK330TestReg0Form ui;
};
