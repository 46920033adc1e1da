#pragma once
#include <cstdint>

#include "gui/registerkit/RadioRegisterForm.h"
#include "ui_QK330PSCTestReg1unit.h"

// "PSC Test Register 1": register 79h bit by bit through the test register window's boxes.
class TQK330PSCTestReg1Form : public qk::RadioRegisterForm {
    Q_OBJECT
  public:
    explicit TQK330PSCTestReg1Form(qk::ChipSession& session, QWidget* parent = nullptr);

  private:
    Ui::TQK330PSCTestReg1Form ui;
};
