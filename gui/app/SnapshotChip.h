#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/bus/I2cMaster.h"
#include "core/chips/RegisterBus.h"
#include "core/snapshot/Snapshot.h"
#include "gui/session/ChipSession.h"

namespace qk {

// The chip the main window has selected, as the Snapshot window works on it.
struct SnapshotChip {
    ChipFamily family;
    std::string name;  // "QK330"
    uint8_t writeAddress;
    RegisterBus& registers;  // the family's register image
    I2cMaster& bus;
    ByteLookup image;     // the program's copy of each register
    bool testRegisters;   // the engineering login is active
    bool muteAllEngaged;  // the generation's MUTE ALL
    // Every window shows these values (the image's own for the registers they do not give) and
    // the image then holds exactly them; nothing is sent or logged.
    std::function<void(const Snapshot& values)> showValues;
};

// Nothing while no chip is selected.
std::optional<SnapshotChip> SelectedSnapshotChip(ChipSession& session);

}  // namespace qk
