#pragma once
#include <QGroupBox>
#include <array>
#include <cstdint>

#include "gui/widgets/BitBoxes.h"

namespace qk {

// What a register group shows: its sub-address, which boxes the user may change, which start
// checked, whether the boxes have the grey third state, and the captions of bits 7..0.
struct RegisterGroupLayout {
    const char* reg;  // "02": names Reg02Label, CheckBox02_7 .. CheckBox02_0
    uint8_t enabledBits;
    uint8_t initialBits;
    bool tristate;
    std::array<const char*, 8> bitCaptions{};  // bit 7 first; from the register map
    const char* groupBox = nullptr;            // the group box's name when not Reg<reg>GroupBox
    bool compact = false;                      // rows for a 117 x 198 group box
};

// Fills a register group box: the navy "Address: 02h" label, eight boxes with bit 7 on top on
// alternating yellow and info-coloured rows, and the yellow D7..D0 labels beside them. Returns the
// boxes, bit 0 first.
BitBoxes BuildRegisterGroup(QGroupBox* group, const RegisterGroupLayout& layout);

}  // namespace qk
