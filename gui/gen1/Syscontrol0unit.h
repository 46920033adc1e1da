#pragma once
#include "gui/registerkit/RadioRegisterForm.h"
#include "ui_Syscontrol0unit.h"

// "System Control 0": register 02h (speed, de-emphasis, serial format) through the register
// editor's group 02.
class TSysControl0Form : public qk::RadioRegisterForm {
    Q_OBJECT
  public:
    explicit TSysControl0Form(qk::ChipSession& session, QWidget* parent = nullptr);

  private:
    Ui::TSysControl0Form ui;
};
