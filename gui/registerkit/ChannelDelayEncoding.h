#pragma once
#include <cstdint>

#include "gui/registerkit/ChannelSliderForm.h"

namespace qk {

// The inter-channel delay sliders of either generation: position 0 (top) is the longest delay
// FFh, 255 (bottom) is no delay; a hex readout under each slider. The generation brings its
// registers, its strips and channel 1's delay register.
ChannelSliderEncoding ChannelDelayEncoding(ChannelRegisters registers, StripGeometry geometry,
                                           uint8_t channel1DelayRegister);

}  // namespace qk
