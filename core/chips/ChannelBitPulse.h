#pragma once
#include <cstdint>

namespace qk {

// Pulses channel 1..6's bit (bit channel - 1) of a register low, then leaves it set; the other
// bits are written as they stand in the image. Two writes, image first each time.
template <typename Image>
void PulseChannelBit(Image& image, uint8_t subAddress, int channel) {
    const auto bit = static_cast<uint8_t>(1u << (channel - 1));
    const uint8_t low =
        image.StoreAndWrite(subAddress, static_cast<uint8_t>(image.Current(subAddress) & ~bit));
    image.StoreAndWrite(subAddress, static_cast<uint8_t>(low | bit));
}

}  // namespace qk
