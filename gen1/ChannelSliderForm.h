#pragma once
#include <QLabel>
#include <QSlider>
#include <QString>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <cstdint>
#include <vector>

namespace qk {

// A readout label under each slider: its name after "Ch<n>", its text before the first change,
// and the text of a register value.
struct ChannelReadout {
    const char* nameSuffix;  // "Readout" names Ch1Readout .. Ch6Readout
    const char* initialText;
    QString (*text)(uint8_t value);
};

// How a window maps its six one-byte channel registers to slider positions 0..255 (0 at the top).
struct ChannelSliderEncoding {
    uint8_t channel1SubAddress;  // channel n's register is this + n - 1
    int zeroPosition;            // where the Zero button puts the slider
    int initialPosition;         // before the first chip activation
    int tickInterval;
    uint8_t (*registerValue)(int position);
    int (*position)(uint8_t registerValue);
    std::vector<ChannelReadout> readouts;  // top to bottom
};

// "0x" and two upper-case hex digits.
QString HexByteText(uint8_t value);

// A window of six channel strips (label, vertical slider, zero button, readouts) that edits six
// consecutive first-generation registers. A slider set from code behaves as one moved by the
// user: the channel change runs when, and only when, the position changes.
class ChannelSliderForm : public QWidget {
    Q_OBJECT
  public:
    static constexpr int Channels = 6;

    // Sets channel 1..6's slider from a register value; the channel is written if it moved.
    void SetChannelFromValue(int channel, uint8_t value);
    // Enables or disables channel 1..6's slider and zero button.
    void EnableChannel(int channel, bool enabled);

    // Readouts, image and wire from the slider's position (Ch<n>TrackBarChange).
    void ChannelTrackBarChange(int channel);
    // Zero position, then the channel change once more: the register is written at least once.
    void ZeroButtonClick(int channel);
    // The six registers back to DefaultImage; only channels whose slider moves are written.
    void DefaultBitBtnClick();
    void CloseBitBtnClick();

    QSlider* TrackBar(int channel) const { return Strip(channel).trackBar; }
    QToolButton* ZeroButton(int channel) const { return Strip(channel).zeroButton; }

  protected:
    ChannelSliderForm(ChannelSliderEncoding encoding, QWidget* parent);
    // Builds the six strips and wires DefaultBitBtn and CloseBitBtn; call after setupUi.
    void BuildChannels();

  private:
    struct ChannelStrip {
        QSlider* trackBar = nullptr;
        QToolButton* zeroButton = nullptr;
        std::vector<QLabel*> readouts;
    };

    const ChannelStrip& Strip(int channel) const;
    ChannelStrip BuildStrip(int channel);
    uint8_t SubAddress(int channel) const;

    ChannelSliderEncoding encoding_;
    std::array<ChannelStrip, Channels> strips_{};
};

}  // namespace qk
