#pragma once
#include <QWidget>

#include <cstdint>

#include "ui_Interchdelayunit.h"

// "Interchannel Delay"
class TInterchDelayForm : public QWidget {
    Q_OBJECT
  public:
    explicit TInterchDelayForm(QWidget* parent = nullptr);

    Ui::TInterchDelayForm ui;

    // Sets channel 1..6's slider from a register value; the channel is written if it moved.
    void SetChannelFromValue(int channel, uint8_t value);
    void EnableChannel(int channel, bool enabled);
};
