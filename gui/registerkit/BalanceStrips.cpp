#include "gui/registerkit/BalanceStrips.h"

#include <QCheckBox>

#include "core/chips/ChannelBitPulse.h"

namespace qk {

void ZeroCheckedChannels(const ChannelStrips& strips, const std::function<bool(int)>& checked) {
    for (int channel = 1; channel <= ChannelCount; ++channel)
        if (checked(channel)) strips.Zero(channel);
}

void ZeroAfterErrorRecovery(const ChannelStrips& strips, ByteRegisters& image,
                            uint8_t errorRecoveryRegister, int channel) {
    if (!ChannelStrips::ValidChannel(channel)) return;
    PulseChannelBit(image, errorRecoveryRegister, channel);
    strips.Zero(channel);
}

}  // namespace qk
