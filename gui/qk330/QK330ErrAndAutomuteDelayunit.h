#pragma once
#include <cstdint>

#include "gui/registerkit/RadioRegisterForm.h"
#include "ui_QK330ErrAndAutomuteDelayunit.h"

// "Error Recovery and Automute Delay": register 13h, the automute delay
// (D3-D0) and the error recovery delay (D7-D4), through the register editor's group 13.
class TQK330ErrAndAutomuteDelayForm : public qk::RadioRegisterForm {
    Q_OBJECT
  public:
    explicit TQK330ErrAndAutomuteDelayForm(qk::ChipSession& session, QWidget* parent = nullptr);

  private:
    Ui::TQK330ErrAndAutomuteDelayForm ui;
};
