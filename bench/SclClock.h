#pragma once
#include <cstdint>

#include "bench/CostlyPort.h"

namespace qk::bench {

// The SCL clock that the bus master produced, timed from the edges the board saw.
struct SclClockStats {
    bool framesAcknowledged = false;  // every frame reached the chip without a bus error
    int clocks = 0;                   // clock pulses timed
    double medianKHz = 0.0;           // from the median period, falling edge to falling edge
    double minLowUs = 0.0;            // shortest low phase before a clock pulse
    double minLowBeforeStopUs = 0.0;  // shortest low phase before a STOP's rising edge
    double minHighUs = 0.0;           // shortest high phase of a clock pulse
};

// Sends `frames` register writes (address, sub-address, one data byte) with the given counts and
// the bus master's own busy loop, and times their clock.
SclClockStats ClockFrames(CostlyPort& port, uint32_t halfPeriodCount, uint32_t quarterPeriodCount,
                          int frames);

}  // namespace qk::bench
