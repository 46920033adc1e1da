#pragma once
#include <cstdint>

#include "gui/registerkit/RadioRegisterForm.h"
#include "ui_QK330Syscontrol2unit.h"

// "System Control 2": register 04h bit by bit (D7, D5, D2, D1, D0; the
// others have no control and are sent as 0) through the register editor's group 04.
class TQK330SysControl2Form : public qk::RadioRegisterForm {
    Q_OBJECT
  public:
    explicit TQK330SysControl2Form(qk::ChipSession& session, QWidget* parent = nullptr);

    // Selects item 0 (soft reset) or 1 (normal) of the D2 group, then applies as APPLY does: the
    // main window's PWM INIT pulses the chip's soft reset with it.
    void ApplyD2Item(int item);

  private:
    Ui::TQK330SysControl2Form ui;
};
