#pragma once
#include "gui/registerkit/ChannelSliderForm.h"
#include "ui_QK330Interchdelayunit.h"

// "Interchannel Delay": the delays of channels 1..6, registers 20h..25h. SetChannelFromValue and
// EnableChannel come with the channel strips.
class TQK330InterchDelayForm : public qk::ChannelSliderForm {
    Q_OBJECT
  public:
    explicit TQK330InterchDelayForm(qk::ChipSession& session, QWidget* parent = nullptr);

  private:
    Ui::TQK330InterchDelayForm ui;
};
