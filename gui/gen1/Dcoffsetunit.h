#pragma once
#include "gui/registerkit/ChannelSliderForm.h"
#include "ui_Dcoffsetunit.h"

// "DC Offset": the signed DC offsets of channels 1..6, registers 06h..0Bh.
class TDCOffsetForm : public qk::ChannelSliderForm {
    Q_OBJECT
  public:
    explicit TDCOffsetForm(qk::ChipSession& session, QWidget* parent = nullptr);

  private:
    Ui::TDCOffsetForm ui;
};
