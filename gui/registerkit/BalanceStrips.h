#pragma once
#include <cstdint>
#include <functional>

#include "core/chips/RegisterImage.h"
#include "gui/widgets/ChannelStrips.h"

namespace qk {

// What the volume offset windows of both generations do with their strips beyond writing a
// channel's volume, which each generation does its own way.

// Zero of every channel whose volume box on the main window is `checked`, channel 1 first.
void ZeroCheckedChannels(const ChannelStrips& strips, const std::function<bool(int)>& checked);
// For channel 1..6: a low-then-high pulse on its "No ERM" bit (bit channel - 1) of the error
// recovery register in the image, then Zero. Nothing for another channel.
void ZeroAfterErrorRecovery(const ChannelStrips& strips, ByteRegisters& image,
                            uint8_t errorRecoveryRegister, int channel);

}  // namespace qk
