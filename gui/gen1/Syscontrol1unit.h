#pragma once
#include "gui/registerkit/RadioRegisterForm.h"
#include "ui_Syscontrol1unit.h"

// "System Control 1": register 03h bit by bit (D6..D0; bit 7 is not used) through the register
// editor's group 03.
class TSysControl1Form : public qk::RadioRegisterForm {
    Q_OBJECT
  public:
    explicit TSysControl1Form(qk::ChipSession& session, QWidget* parent = nullptr);

    // Selects an item of the "D2 Select" group and applies: PWM INIT pulses a soft reset (item 0,
    // then item 1, normal mode) this way.
    void ApplyD2Item(int item);

  private:
    Ui::TSysControl1Form ui;
};
