#include "gui/registerkit/BalanceStrips.h"

#include <QCheckBox>

#include "core/chips/ChannelBitPulse.h"
#include "gui/app/Forms.h"
#include "gui/app/Okapimain.h"

namespace qk {

void ZeroCheckedChannels(const ChannelStrips& strips) {
    for (int channel = 1; channel <= ChannelCount; ++channel)
        if (OkapiForm->VolumeCheckBox(channel)->isChecked()) strips.Zero(channel);
}

void ZeroAfterErrorRecovery(const ChannelStrips& strips, ByteRegisters& (*image)(),
                            uint8_t errorRecoveryRegister, int channel) {
    if (!ChannelStrips::ValidChannel(channel)) return;
    PulseChannelBit(image(), errorRecoveryRegister, channel);
    strips.Zero(channel);
}

}  // namespace qk
