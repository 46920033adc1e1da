#pragma once
#include <cstdint>

#include "gui/registerkit/RadioRegisterForm.h"
#include "ui_QK330TestReg0unit.h"

// "Test Register 0": register 7Eh bit by bit through the test register window's boxes.
class TQK330TestReg0Form : public qk::RadioRegisterForm {
    Q_OBJECT
  public:
    explicit TQK330TestReg0Form(qk::ChipSession& session, QWidget* parent = nullptr);

  private:
    Ui::TQK330TestReg0Form ui;
};
