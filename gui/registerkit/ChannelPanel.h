#pragma once
#include "gui/session/ChipSession.h"

class QLabel;

namespace qk {

// The main window's channel controls as the volume offset windows and the chip models use them:
// each channel's volume box and readouts, and each generation's master volume.
class ChannelPanel {
  public:
    // Channel 1..6's volume box is checked: the channel is enabled.
    virtual bool ChannelEnabled(int channel) const = 0;
    virtual QLabel* ChannelReadout(int channel) const = 0;
    virtual QLabel* ChannelHexReadout(int channel) const = 0;
    // The generation's master slider position (0 loudest).
    virtual int MasterVolumePosition(ChipGeneration generation) const = 0;
    // The generation's master volume at 0 dB, as its "0.0" button puts it.
    virtual void MasterVolumeToZeroDb(ChipGeneration generation) = 0;

  protected:
    ~ChannelPanel() = default;
};

}  // namespace qk
