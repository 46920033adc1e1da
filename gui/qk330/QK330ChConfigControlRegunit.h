#pragma once
#include <QWidget>
#include <cstdint>

#include "gui/registerkit/RegisterBoxGroups.h"
#include "gui/session/ChipSession.h"
#include "gui/widgets/BitBoxes.h"
#include "ui_QK330ChConfigControlRegunit.h"

namespace qk {

// The channel setup window as the register window sees it: it follows a channel's boxes when it
// edits that channel, and opens on a channel.
class ChannelSetup {
  public:
    // Whether it edits channel 1..6.
    virtual bool Edits(int channel) const = 0;
    // Reads channel 1..6's boxes into its choices, then writes the channel's register.
    virtual void RefreshChannel(int channel) = 0;
    // Opens on channel 1..6.
    virtual void OpenOnChannel(int channel) = 0;

  protected:
    ~ChannelSetup() = default;
};

}  // namespace qk

// "Channel Configuration Control Registers": the six channel configuration registers 06h..0Bh
// (channel n at 06h + n - 1) bit by bit; the channel setup window follows their boxes, after an
// apply, a read or a restore.
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
    // The setup window that follows the boxes and opens on "Setup"; none (nullptr) until given.
    void SetChannelSetup(qk::ChannelSetup* setup) { setup_ = setup; }

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
    void ShowRestoredChannel(int channel);
    static uint8_t RegisterOf(int channel) { return uint8_t(FirstRegister + channel - 1); }

    qk::ChipSession& session_;
    Ui::TQK330ChConfigControlRegForm ui;
    qk::RegisterBoxGroups groups_;
    qk::ChannelSetup* setup_ = nullptr;
};
