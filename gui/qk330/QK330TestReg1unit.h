#pragma once
#include <cstdint>

#include "gui/registerkit/RadioRegisterForm.h"
#include "ui_QK330TestReg1unit.h"

// "Test Register 1": register 7Fh bit by bit through the test register window's boxes.
class TQK330TestReg1Form : public qk::RadioRegisterForm {
    Q_OBJECT
  public:
    explicit TQK330TestReg1Form(qk::ChipSession& session, QWidget* parent = nullptr);

  private:
    Ui::TQK330TestReg1Form ui;
};
