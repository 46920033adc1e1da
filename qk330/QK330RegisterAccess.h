#pragma once
#include "widgets/RegisterBoxSet.h"

namespace qk {

// The second generation's image and chip, reached through the register editor when used.
RegisterAccess QK330Access();
// Stores a value in the QK330 image and writes the stored byte (not while MUTE ALL is engaged).
void QK330StoreAndWrite(uint8_t reg, uint8_t value);

}  // namespace qk
