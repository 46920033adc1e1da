#pragma once
#include <cstdint>

#include "gui/registerkit/RadioRegisterForm.h"
#include "ui_QK330ModIndexunit.h"

// "Modulation Index": register 0Dh, the modulation index limit (D2-D0),
// through the register editor's group 0D.
class TQK330ModIndexForm : public qk::RadioRegisterForm {
    Q_OBJECT
  public:
    explicit TQK330ModIndexForm(qk::ChipSession& session, QWidget* parent = nullptr);

  private:
    Ui::TQK330ModIndexForm ui;
};
