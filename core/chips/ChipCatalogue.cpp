#include "core/chips/ChipCatalogue.h"

#include <cctype>
#include <cstdio>

namespace qk {

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

std::span<const ChipInfo> ChipCatalogue() {
    return kChipCatalogue;
}

const ChipInfo* FindChip(std::string_view name) {
    for (const ChipInfo& chip : kChipCatalogue)
        if (SameIgnoringCase(name, chip.name) || SameIgnoringCase(name, chip.fullName))
            return &chip;
    return nullptr;
}

const ChipInfo* FindChipOption(std::string_view option) {
    for (const ChipInfo& chip : kChipCatalogue)
        if (option == chip.option) return &chip;
    return nullptr;
}

std::vector<const ChipInfo*> ChipsOfId(uint8_t id) {
    std::vector<const ChipInfo*> chips;
    for (const ChipInfo& chip : kChipCatalogue)
        if (chip.id == id) chips.push_back(&chip);
    return chips;
}

const ChipInfo* FirstChipOfId(uint8_t id) {
    const std::vector<const ChipInfo*> chips = ChipsOfId(id);
    return chips.empty() ? nullptr : chips.front();
}

const ChipInfo* FirstChipOfId(uint8_t id, ChipOffer offer) {
    for (const ChipInfo* chip : ChipsOfId(id))
        if (chip->offer == offer) return chip;
    return nullptr;
}

std::string ChipOptionChoices() {
    std::vector<std::string> options;
    for (const ChipInfo& chip : kChipCatalogue) options.emplace_back(chip.option);
    return ChoiceText(options);
}

std::string ChoiceText(const std::vector<std::string>& items) {
    std::string text;
    for (size_t i = 0; i < items.size(); ++i)
        text += (i == 0 ? "" : i + 1 == items.size() ? " or " : ", ") + items[i];
    return text;
}

std::string SevenBitAddressText(uint8_t writeAddress) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02x", writeAddress >> 1);
    return text;
}

}  // namespace qk
