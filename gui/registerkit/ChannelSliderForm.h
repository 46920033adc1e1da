#pragma once
#include <QString>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "gui/session/ChipSession.h"
#include "gui/widgets/ChannelStrips.h"

namespace qk {

// A readout under each slider and the text it shows for a register value.
struct ChannelReadout {
    StripReadout label;
    QString (*text)(uint8_t value);
};

// The register image that holds a window's six registers.
struct ChannelRegisters {
    // Image first, then the stored byte to the chip.
    void (*storeAndWrite)(ChipSession& session, uint8_t subAddress, uint8_t value);
    // CurrentImage back to DefaultImage; returns the restored byte.
    uint8_t (*restoreDefault)(ChipSession& session, uint8_t subAddress);
};

// Where channel 1's strip stands in the window; channel n's stands (n - 1) x pitch further right.
struct StripGeometry {
    int pitch;
    QRect label;
    QRect trackBar;
    QRect zeroButton;
    QRect firstReadout;
    int readoutPitch;
};

// How a window maps its six one-byte channel registers to slider positions 0..255 (0 at the top).
// Zero puts the slider where the register value is 0.
struct ChannelSliderEncoding {
    ChannelRegisters registers;
    StripGeometry geometry;
    uint8_t channel1SubAddress;  // channel n's register is this + n - 1
    uint8_t (*registerValue)(int position);
    int (*position)(uint8_t registerValue);
    std::vector<ChannelReadout> readouts;  // top to bottom
    int initialPosition;                   // before the first chip activation
    int tickInterval;
};

// "0x" and two upper-case hex digits.
QString HexByteText(uint8_t value);

// The first generation's registers, in RegistersForm's image, and its windows' strips.
extern const ChannelRegisters QK310ChannelRegisters;
extern const StripGeometry QK310StripGeometry;

// A window of six channel strips (label, vertical slider, zero button, readouts) that edits six
// consecutive one-byte registers of either generation. A slider set from code behaves as one moved
// by the user: the channel change runs when, and only when, the position changes.
class ChannelSliderForm : public QWidget {
    Q_OBJECT
  public:
    // The channel 1..6 whose register is at the sub-address; 0 for a register of another window.
    int ChannelOf(uint8_t subAddress) const;
    // Sets channel 1..6's slider from a register value; the channel is written if it moved.
    void SetChannelFromValue(int channel, uint8_t value);
    // Enables or disables channel 1..6's slider and zero button.
    void EnableChannel(int channel, bool enabled);

    // Readouts, image and wire from the slider's position (Ch<n>TrackBarChange).
    void ChannelTrackBarChange(int channel);
    // Zero position, then the channel change once more: the register is written at least once.
    void ZeroButtonClick(int channel);
    // The six registers back to DefaultImage in order, each channel's slider set from its value;
    // only channels whose slider moves are written.
    void DefaultBitBtnClick();
    void CloseBitBtnClick();

    QSlider* TrackBar(int channel) const { return strips_.Strip(channel).trackBar; }
    QAbstractButton* ZeroButton(int channel) const { return strips_.Strip(channel).zeroButton; }

  protected:
    ChannelSliderForm(ChipSession& session, ChannelSliderEncoding encoding, QWidget* parent);
    // Builds the six strips and wires DefaultBitBtn and CloseBitBtn; call after setupUi.
    void BuildChannels();
    // A first-generation window: each channel's slider follows its register when the session
    // restores it (registerRefreshed), as a slider set from code does.
    void FollowFirstGenerationRefreshes();

  private:
    uint8_t SubAddress(int channel) const;

    ChipSession& session_;
    ChannelSliderEncoding encoding_;
    ChannelStrips strips_;
};

}  // namespace qk
