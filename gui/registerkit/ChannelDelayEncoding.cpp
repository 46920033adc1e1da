#include "gui/registerkit/ChannelDelayEncoding.h"

namespace qk {

namespace {

uint8_t DelayRegister(int position) {
    return static_cast<uint8_t>(255 - position);
}

int DelayPosition(uint8_t value) {
    return 255 - value;
}

}  // namespace

ChannelSliderEncoding ChannelDelayEncoding(ChannelRegisters registers, StripGeometry geometry,
                                           uint8_t channel1DelayRegister) {
    return {
        .registers = registers,
        .geometry = geometry,
        .channel1SubAddress = channel1DelayRegister,
        .registerValue = DelayRegister,
        .position = DelayPosition,
        .readouts = {{.label = {.nameSuffix = "Readout", .initialText = "0x00"},
                      .text = HexByteText}},
        .initialPosition = 255,
        .tickInterval = 16,
    };
}

}  // namespace qk
