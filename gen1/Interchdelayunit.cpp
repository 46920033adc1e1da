#include "gen1/Interchdelayunit.h"

#include "chips/QK310RegisterImage.h"

namespace {

// Position 0 (top) is the longest delay 0xFF, 255 (bottom) is no delay.
uint8_t DelayRegister(int position) {
    return static_cast<uint8_t>(255 - position);
}

int DelayPosition(uint8_t value) {
    return 255 - value;
}

qk::ChannelSliderEncoding DelayEncoding() {
    return {
        .registers = qk::QK310ChannelRegisters,
        .geometry = qk::QK310StripGeometry,
        .channel1SubAddress = qk::QK310RegisterImage::FirstDelayRegister,
        .registerValue = DelayRegister,
        .position = DelayPosition,
        .readouts = {{.label = {.nameSuffix = "Readout", .initialText = "0x00"},
                      .text = qk::HexByteText}},
        .initialPosition = 255,
        .tickInterval = 16,
    };
}

}  // namespace

TInterchDelayForm::TInterchDelayForm(QWidget* parent) : ChannelSliderForm(DelayEncoding(), parent) {
    ui.setupUi(this);
    BuildChannels();
    setFixedSize(size());
}
