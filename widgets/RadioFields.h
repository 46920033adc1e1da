#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "widgets/RadioGroup.h"

namespace qk {

// A radio group that shows one bit field of a register: item i stands for field value codes[i].
struct RadioBitField {
    RadioGroup* group;
    int shift;                   // the field's lowest bit
    int width;                   // in bits
    std::vector<uint8_t> codes;  // field value of each item, by item index
    // The item a field value no code stands for selects; -1 leaves the group as it was.
    int otherwise = -1;
};

// One two-item group per bit (bit 0 first): the item index is the bit value.
std::vector<RadioBitField> OneBitFields(std::vector<RadioGroup*> groupsBit0First);
// One two-item group for one bit: the item index is the bit value.
RadioBitField OneBit(RadioGroup* group, int bit);
// One two-item group for one bit whose item 0 sets it and item 1 clears it.
RadioBitField InvertedBit(RadioGroup* group, int bit);
// Field values 0..items-1 for items 0..items-1.
std::vector<uint8_t> AscendingCodes(int items);

// The byte the selected items stand for; unselected groups and bits without a group are 0.
uint8_t SelectedBits(std::span<const RadioBitField> fields);
// Every group from its field in the byte.
void SelectFromBits(std::span<const RadioBitField> fields, uint8_t value);

}  // namespace qk
