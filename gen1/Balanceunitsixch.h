#pragma once
#include <QWidget>

#include "ui_Balanceunitsixch.h"

// "Volume Offset"
class TSixChBalanceForm : public QWidget {
    Q_OBJECT
  public:
    explicit TSixChBalanceForm(QWidget* parent = nullptr);

    Ui::TSixChBalanceForm ui;

    // Channel volumes 1..6 from the master position and each channel's offset.
    void ApplyAllChannelVolumes();
    // DEFAULTS: offset 0 and a volume write for every channel whose main-window box is checked.
    void DefaultBitBtnClick();
    void EnableChannel(int channel, bool enabled);
};
