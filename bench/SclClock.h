#pragma once

#include "bench/CostlyPort.h"
#include "board/WirePhases.h"
#include "core/bus/I2cBus.h"

namespace qk::bench {

// The SCL clock that the bus master produced, as the board saw it.
struct SclClockStats {
    bool framesAcknowledged = false;  // every frame reached the chip without a bus error
    board::WirePhases phases;
};

// Sends `frames` register writes (address, sub-address, one data byte) through `bus`, which
// drives `port`, and times their lines, the bus free time between two frames included.
SclClockStats ClockFrames(CostlyPort& port, I2cBus& bus, int frames);

}  // namespace qk::bench
