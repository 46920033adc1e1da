#pragma once
#include <cstdint>

#include "gui/registerkit/RadioRegisterForm.h"
#include "ui_QK330PSCTestReg2unit.h"

// "QK330PSCTestReg2Form": register 7Ah bit by bit through the test register window's boxes.
class TQK330PSCTestReg2Form : public qk::RadioRegisterForm {
    Q_OBJECT
  public:
    explicit TQK330PSCTestReg2Form(qk::ChipSession& session, QWidget* parent = nullptr);

  private:
    Ui::TQK330PSCTestReg2Form ui;
};
