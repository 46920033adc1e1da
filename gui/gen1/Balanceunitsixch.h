#pragma once
#include <QSlider>
#include <QWidget>

#include "gui/registerkit/ChannelPanel.h"
#include "gui/session/ChipSession.h"
#include "gui/widgets/ChannelStrips.h"
#include "ui_Balanceunitsixch.h"

// "Volume Offset": a per-channel attenuation added to the main window's master volume. Each
// channel's volume code, 249 - (master + offset), is shown on the main window and written to the
// channel's volume register 13h..18h.
class TSixChBalanceForm : public QWidget {
    Q_OBJECT
  public:
    explicit TSixChBalanceForm(qk::ChipSession& session, qk::ChannelPanel& channels,
                               QWidget* parent = nullptr);

    // Channel apply of channel 1..6: readouts, image and register.
    void ChannelApply(int channel);
    // Channel volumes 1..6 from the master position and each channel's offset.
    void ApplyAllChannelVolumes();
    // Zero of a channel: an error-recovery pulse on its "No ERM" bit of register 04h, then offset
    // 0.
    void ChannelZero(int channel);
    // DEFAULTS: offset 0 and a volume write for every channel whose main-window box is checked.
    void DefaultBitBtnClick();
    void EnableChannel(int channel, bool enabled);

    QSlider* OffsetSlider(int channel) const { return strips_.Strip(channel).trackBar; }

  private:
    qk::ChipSession& session_;
    qk::ChannelPanel& channels_;
    // The main window's channel readouts of a volume code.
    void ShowOnMainWindow(int channel, int code);

    Ui::TSixChBalanceForm ui;
    qk::ChannelStrips strips_;
};
