#pragma once
#include "gui/registerkit/RadioRegisterForm.h"
#include "ui_Testreg0unit.h"

// "Test Register 0": register 1Eh bit by bit through the test register window's group 1E.
class TTestReg0Form : public qk::RadioRegisterForm {
    Q_OBJECT
  public:
    explicit TTestReg0Form(qk::ChipSession& session, QWidget* parent = nullptr);

  private:
    Ui::TTestReg0Form ui;
};
