#pragma once
#include <QCheckBox>
#include <array>
#include <cstdint>

namespace qk {

// The eight check boxes of a register, bit 0 first.
using BitBoxes = std::array<QCheckBox*, 8>;

// Byte whose bit n is set when box n is checked (a grey third state counts as 0).
uint8_t PackBits(const BitBoxes& boxes);
// All eight boxes cleared, then box n checked for every set bit n.
void ShowBits(const BitBoxes& boxes, uint8_t value);

}  // namespace qk
