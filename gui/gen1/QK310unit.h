#pragma once
#include <QLabel>
#include <QWidget>
#include <array>
#include <cstdint>

#include "core/chips/QK310RegisterImage.h"
#include "gui/registerkit/ChannelPanel.h"
#include "gui/session/ChipSession.h"

// The first-generation chip model (QK310; QK320Form derives from it): a hidden window without
// controls that fills the register image, activates the chip after selection, turns volume codes
// into readout texts and follows the main window's channel boxes.
class TQK310Form : public QWidget {
    Q_OBJECT
  public:
    explicit TQK310Form(qk::ChipSession& session, qk::ChannelPanel& channels,
                        QWidget* parent = nullptr);

    // DefaultImage from the chip's power-on table; no bus traffic.
    void LoadPowerOnDefaults();
    void InitSubAddresses();
    // DefaultImage read back from the chip: 29 one-byte reads in entry order.
    void CaptureDefaultImage();
    // Restores the image into every window and writes what the chip needs.
    void ActivateChipModel();
    // The readout text of a volume code, written into the label ("invalid" beside the hex readout,
    // the whole text in the tooltip, for a register value beyond the table).
    void VolumeCodeText(int code, QLabel* label) const;
    // Follows main-window channel box n (1..6): unmute box and channel controls.
    void ApplyChannelEnable(int channel);

  protected:
    TQK310Form(qk::ChipSession& session, qk::ChannelPanel& channels,
               const std::array<uint8_t, qk::QK310RegisterImage::Entries>& defaults,
               bool hasAbdDelay, QWidget* parent);

  private:
    void SetMasterVolumeToZeroDb();

    qk::ChipSession& session_;
    qk::ChannelPanel& channels_;
    const std::array<uint8_t, qk::QK310RegisterImage::Entries>& defaults_;
    bool hasAbdDelay_;
};
