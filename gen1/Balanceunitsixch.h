#pragma once
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QWidget>
#include <array>

#include "ui_Balanceunitsixch.h"

// "Volume Offset": a per-channel attenuation added to the main window's master volume. Each
// channel's volume code, 249 - (master + offset), is shown on the main window and written to the
// channel's volume register 13h..18h.
class TSixChBalanceForm : public QWidget {
    Q_OBJECT
  public:
    explicit TSixChBalanceForm(QWidget* parent = nullptr);

    Ui::TSixChBalanceForm ui;

    // Channel apply of channel 1..6: readouts, image and register.
    void ChannelApply(int channel);
    // Channel volumes 1..6 from the master position and each channel's offset.
    void ApplyAllChannelVolumes();
    // Zero of a channel: an error-recovery pulse, then offset 0.
    void ChannelZero(int channel);
    // DEFAULTS: offset 0 and a volume write for every channel whose main-window box is checked.
    void DefaultBitBtnClick();
    void EnableChannel(int channel, bool enabled);

    QSlider* OffsetSlider(int channel) const { return strips_.at(channel - 1).slider; }

  private:
    struct Strip {
        QSlider* slider;
        QLabel* readout;
        QPushButton* zero;
    };
    std::array<Strip, 6> strips_;
};
