#pragma once
#include <QWidget>
#include <cstdint>

#include "gui/session/ChipSession.h"
#include "gui/widgets/ChannelStrips.h"
#include "ui_QK330Dcoffsetunit.h"

// "DC Offset": the signed 13-bit DC offsets of channels 1..6, two-byte registers 14h-15h ..
// 1Eh-1Fh.
class TQK330DCOffsetForm : public QWidget {
    Q_OBJECT
  public:
    explicit TQK330DCOffsetForm(qk::ChipSession& session, QWidget* parent = nullptr);

    // Puts channel 1..6's slider where a 13-bit register value stands; a moved slider writes its
    // register. The readouts then show the register as the image holds it.
    void SetChannelFromValue(int channel, uint16_t value);
    // Channel 1..6's readouts from the register image, whatever value it holds; sends nothing.
    void ShowHeldValue(int channel);
    // Enables or disables channel 1..6's slider and zero button.
    void EnableChannel(int channel, bool enabled);

    // Readouts, image and wire from channel 1..6's slider position.
    void ChannelTrackBarChange(int channel);
    // DEFAULT: the twelve offset bytes back to DefaultImage, then the sliders set from them.
    void DefaultBitBtnClick();

  private:
    qk::ChipSession& session_;
    Ui::TQK330DCOffsetForm ui;
    qk::ChannelStrips strips_;
};
