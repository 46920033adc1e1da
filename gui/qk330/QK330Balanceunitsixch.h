#pragma once
#include <QSlider>
#include <QWidget>
#include <cstdint>

#include "gui/registerkit/ChannelPanel.h"
#include "gui/session/ChipSession.h"
#include "gui/widgets/ChannelStrips.h"
#include "ui_QK330Balanceunitsixch.h"

// "QK330 Volume Offset": a per-channel attenuation added to the main window's QK330 master
// volume. Each channel's code, 1262 - (master + offset), is shown on the main window and written
// to the channel's two-byte volume register 26h-27h .. 30h-31h.
class TQK330SixChBalanceForm : public QWidget {
    Q_OBJECT
  public:
    explicit TQK330SixChBalanceForm(qk::ChipSession& session, qk::ChannelPanel& channels,
                                    QWidget* parent = nullptr);

    // Channel 1..6: its readouts here and on the main window, its image word and its register.
    void ApplyChannelVolume(int channel);
    // Writes the six channel volumes from the master position and the offsets.
    void ApplyAllChannelVolumes();
    // ZERO ALL: every channel whose main-window box is checked gets offset 0 and its volume
    // written.
    void ZeroAllBitBtnClick();
    // Reset of channel 1..6: a pulse on its "No ERM" bit of register 12h, then offset 0.
    void ChannelResetBitBtnClick(int channel);
    // Enables or disables channel 1..6's offset slider and reset button.
    void EnableChannel(int channel, bool enabled);

    QSlider* OffsetSlider(int channel) const { return strips_.Strip(channel).trackBar; }

  private:
    qk::ChipSession& session_;
    qk::ChannelPanel& channels_;
    Ui::TQK330SixChBalanceForm ui;
    qk::ChannelStrips strips_;
};
