#pragma once
#include <cstdint>

#include "gui/registerkit/RadioRegisterForm.h"
#include "ui_QK330Syscontrol3unit.h"

// "System Control 3": register 05h as PLL multiply ratio, de-emphasis and
// clock valid choices through the register editor's group 05.
class TQK330SysControl3Form : public qk::RadioRegisterForm {
    Q_OBJECT
  public:
    explicit TQK330SysControl3Form(qk::ChipSession& session, QWidget* parent = nullptr);

  private:
    Ui::TQK330SysControl3Form ui;
};
