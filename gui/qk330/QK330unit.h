#pragma once
#include <QLabel>
#include <QString>
#include <QWidget>
#include "gui/registerkit/ChannelPanel.h"
#include "gui/session/ChipSession.h"

// The second-generation chip model (QK330 and QK340): a hidden window without controls that fills
// the QK330 register image, activates the chip after selection, turns volume codes into readout
// texts and follows the main window's channel boxes. Its register data is the register editor's
// image.
class TQK330Form : public QWidget {
    Q_OBJECT
  public:
    explicit TQK330Form(qk::ChipSession& session, qk::ChannelPanel& channels,
                        QWidget* parent = nullptr);

    // DefaultImage from the fixed power-on table; no bus traffic.
    void LoadPowerOnDefaults();
    void InitSubAddresses();
    // DefaultImage read back from the chip: 61 one-byte reads in entry order.
    void CaptureDefaultImage();
    // Restores the image into every window, shows the QK340's groups or hides them, zeroes the
    // channel offsets and puts the master volume at 0.00 dB.
    void ActivateChipModel();
    // The readout text of a volume code ("Mute" at 0 and below), alone or written into a label
    // ("invalid" beside the hex readout, the whole text in the tooltip, for a register value
    // beyond the table).
    QString VolumeCodeText(int code) const;
    void VolumeCodeText(int code, QLabel* label) const;
    // Follows main-window channel box n (1..6): unmute box and the channel's controls in every
    // window. Nothing is written; the caller applies the mute register.
    void ApplyChannelEnable(int channel);

  private:
    qk::ChipSession& session_;
    qk::ChannelPanel& channels_;
    // Whether DefaultImage was ever filled (from the table or from the chip).
    bool defaultImageFilled_ = false;
};
