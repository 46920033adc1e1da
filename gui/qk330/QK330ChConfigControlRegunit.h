#pragma once
#include <QWidget>
#include <cstdint>

#include "gui/registerkit/RegisterBoxGroups.h"
#include "gui/widgets/BitBoxes.h"
#include "ui_QK330ChConfigControlRegunit.h"
#include "gui/session/ChipSession.h"

// "Channel Configuration Control Registers": the six channel configuration registers 06h..0Bh
// (channel n at 06h + n - 1) bit by bit; the channel setup window follows their boxes.
class TQK330ChConfigControlRegForm : public QWidget {
    Q_OBJECT
  public:
    static constexpr int Channels = 6;
    static constexpr uint8_t FirstRegister = 0x06;

    explicit TQK330ChConfigControlRegForm(qk::ChipSession& session, QWidget* parent = nullptr);

    // Shows channel 1..6's eight boxes from a value.
    void ShowChannelBits(int channel, uint8_t value);
    // Enables or disables channel 1..6's register group.
    void EnableChannel(int channel, bool enabled);
    // Channel 1..6's eight boxes, bit 0 first.
    qk::BitBoxes ChannelBoxes(int channel) const;
    // Packs channel 1..6's boxes into CurrentImage and writes the stored byte.
    void SendChannel(int channel);

    // "Apply": writes the channel's boxes; the setup window follows them when it edits that
    // channel (or all six).
    void ChannelSendButtonClick(int channel);
    // "Setup": opens the setup window on that channel.
    void ChannelSetupButtonClick(int channel);
    // Reads the six registers in order; the setup window follows each.
    void ReadAllButtonClick();
    // Hides only: nothing is reverted or sent.
    void CancelButtonClick();

  private:
    qk::ChipSession& session_;
    static uint8_t RegisterOf(int channel) { return uint8_t(FirstRegister + channel - 1); }

    Ui::TQK330ChConfigControlRegForm ui;
    qk::RegisterBoxGroups groups_;
};
