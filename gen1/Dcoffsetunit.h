#pragma once
#include <QWidget>

#include <cstdint>

#include "ui_Dcoffsetunit.h"

// "DC Offset"
class TDCOffsetForm : public QWidget {
    Q_OBJECT
  public:
    explicit TDCOffsetForm(QWidget* parent = nullptr);

    Ui::TDCOffsetForm ui;

    // Sets channel 1..6's slider from a register value; the channel is written if it moved.
    void SetChannelFromValue(int channel, uint8_t value);
    void EnableChannel(int channel, bool enabled);
};
