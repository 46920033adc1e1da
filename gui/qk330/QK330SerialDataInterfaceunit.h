#pragma once
#include <cstdint>

#include "gui/registerkit/RadioRegisterForm.h"
#include "ui_QK330SerialDataInterfaceunit.h"

// "Serial Data Interface Control": register 0Eh, the received serial
// data format (D3-D0), through the register editor's group 0E.
class TQK330SerialDataInterfaceCtlForm : public qk::RadioRegisterForm {
    Q_OBJECT
  public:
    explicit TQK330SerialDataInterfaceCtlForm(qk::ChipSession& session, QWidget* parent = nullptr);

  private:
    Ui::TQK330SerialDataInterfaceCtlForm ui;
};
