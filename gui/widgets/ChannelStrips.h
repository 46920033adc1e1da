#pragma once
#include <QAbstractButton>
#include <QLabel>
#include <QRect>
#include <QSlider>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "core/chips/ChipFacts.h"

namespace qk {

// A readout label of a channel strip: its name after "Ch<n>" and its text until first set.
struct StripReadout {
    const char* nameSuffix;  // "Readout" names Ch1Readout .. Ch6Readout
    const char* initialText;
};

// Where a window puts channel 1's strip and what its controls are. The strips stand in rows of
// stripsPerRow, each pitch further right than the one before, each row rowPitch below the one
// above. Control names are patterns in which %1 is the channel number.
struct ChannelStripLayout {
    int pitch;
    int stripsPerRow;
    int rowPitch;
    QRect label;  // the channel's name, "one" .. "six", named Ch<n>Label
    QRect trackBar;
    QRect zeroButton;
    QRect firstReadout;  // the further readouts each readoutPitch below the one before
    int readoutPitch;
    const char* trackBarName;
    int maximum;  // positions 0 (top) .. maximum
    int pageStep;
    int tickInterval;
    int initialPosition;
    int zeroPosition;  // where Zero puts the slider
    const char* zeroButtonName;
    const char* zeroCaption;  // nullptr: a small picture button
    Qt::Alignment readoutAlignment;
    int readoutPointSize;                // 0: the window's own
    std::vector<StripReadout> readouts;  // top to bottom
};

// One channel's controls.
struct ChannelStrip {
    QSlider* trackBar = nullptr;
    QAbstractButton* zeroButton = nullptr;
    std::vector<QLabel*> readouts;  // lime bold on black
};

// The strips of a window's channels 1..ChannelCount, one vertical slider each (position 0 at the
// top) with its zero button and readouts. A slider set from code behaves as one moved by the user:
// the channel's change runs when, and only when, its position changes.
class ChannelStrips {
  public:
    static bool ValidChannel(int channel);

    // Builds the strips on the window. changed(n) runs when channel n's position changes,
    // zeroClicked(n) when its zero button is clicked.
    void Build(QWidget* window, ChannelStripLayout layout, std::function<void(int)> changed,
               std::function<void(int)> zeroClicked);

    // The controls of channel 1..ChannelCount; no controls for another channel.
    const ChannelStrip& Strip(int channel) const;
    // Enables or disables the channel's slider and zero button.
    void Enable(int channel, bool enabled) const;
    // The slider to the zero position (the change runs if it moves), then the change once more:
    // the channel is applied at least once.
    void Zero(int channel) const;

  private:
    ChannelStrip BuildStrip(QWidget* window, int channel) const;

    ChannelStripLayout layout_{};
    std::function<void(int)> changed_;
    std::array<ChannelStrip, ChannelCount> strips_{};
};

}  // namespace qk
