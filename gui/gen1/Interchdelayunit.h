#pragma once
#include "gui/registerkit/ChannelSliderForm.h"
#include "ui_Interchdelayunit.h"

// "Interchannel Delay": the delays of channels 1..6, registers 0Ch..11h.
class TInterchDelayForm : public qk::ChannelSliderForm {
    Q_OBJECT
  public:
    explicit TInterchDelayForm(qk::ChipSession& session, QWidget* parent = nullptr);

  private:
    Ui::TInterchDelayForm ui;
};
