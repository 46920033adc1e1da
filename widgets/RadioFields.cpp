#include "widgets/RadioFields.h"

#include <algorithm>

namespace qk {

std::vector<RadioBitField> OneBitFields(std::vector<RadioGroup*> groupsBit0First) {
    std::vector<RadioBitField> fields;
    for (size_t bit = 0; bit < groupsBit0First.size(); ++bit)
        fields.push_back(OneBit(groupsBit0First[bit], static_cast<int>(bit)));
    return fields;
}

RadioBitField OneBit(RadioGroup* group, int bit) {
    return {.group = group, .shift = bit, .width = 1, .codes = {0, 1}};
}

RadioBitField InvertedBit(RadioGroup* group, int bit) {
    return {.group = group, .shift = bit, .width = 1, .codes = {1, 0}};
}

uint8_t SelectedBits(std::span<const RadioBitField> fields) {
    uint8_t value = 0;
    for (const RadioBitField& field : fields) {
        const int index = field.group->itemIndex();
        if (index >= 0 && index < static_cast<int>(field.codes.size()))
            value |= static_cast<uint8_t>(field.codes[index] << field.shift);
    }
    return value;
}

void SelectFromBits(std::span<const RadioBitField> fields, uint8_t value) {
    for (const RadioBitField& field : fields) {
        const uint8_t code = (value >> field.shift) & ((1u << field.width) - 1);
        const auto item = std::find(field.codes.begin(), field.codes.end(), code);
        if (item != field.codes.end())
            field.group->setItemIndex(static_cast<int>(item - field.codes.begin()));
        else if (field.otherwise >= 0)
            field.group->setItemIndex(field.otherwise);
    }
}

}  // namespace qk
