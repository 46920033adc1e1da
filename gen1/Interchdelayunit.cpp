#include "gen1/Interchdelayunit.h"

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
        0x0C, 255, 255, 16, DelayRegister, DelayPosition, {{"Readout", "0x00", qk::HexByteText}}};
}

}  // namespace

TInterchDelayForm::TInterchDelayForm(QWidget* parent) : ChannelSliderForm(DelayEncoding(), parent) {
    ui.setupUi(this);
    BuildChannels();
    setFixedSize(size());
}
