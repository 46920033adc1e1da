#pragma once
#include <QWidget>
#include <cstdint>

// "QK330 Volume Offset". The window is created with the others and stays hidden until opened; its
// controls come with its own work. The operations below are what the other windows call.
class TQK330SixChBalanceForm : public QWidget {
    Q_OBJECT
  public:
    explicit TQK330SixChBalanceForm(QWidget* parent = nullptr);

    // Writes the six channel volumes from the master position and the offsets.
    void ApplyAllChannelVolumes();
    // ZERO ALL: every channel whose main-window box is checked gets offset 0 and its volume
    // written.
    void ZeroAllBitBtnClick();
    // Enables or disables channel 1..6's offset slider and reset button.
    void EnableChannel(int channel, bool enabled);
};
