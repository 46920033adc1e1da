#pragma once
#include <cstdint>

#include "gui/registerkit/RadioRegisterForm.h"
#include "ui_QK330Syscontrol1unit.h"

// "System Control 1": register 03h as speed, SCLK rate, MCLK output and
// MCLK frequency choices through the register editor's group 03.
class TQK330SysControl1Form : public qk::RadioRegisterForm {
    Q_OBJECT
  public:
    explicit TQK330SysControl1Form(qk::ChipSession& session, QWidget* parent = nullptr);

  private:
    Ui::TQK330SysControl1Form ui;
};
