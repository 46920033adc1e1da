#include "cli/Chips.h"

#include <vector>

namespace qk::cli {

namespace {

// The names of the chips other than `chip` that give its ID.
std::vector<std::string> OthersOfId(const ChipInfo& chip) {
    std::vector<std::string> names;
    for (const ChipInfo* other : ChipsOfId(chip.id))
        if (other != &chip) names.emplace_back(other->name);
    return names;
}

}  // namespace

std::string ReadsLikeText(const ChipInfo& chip) {
    const std::vector<std::string> others = OthersOfId(chip);
    if (others.empty()) return {};
    return "a " + ChoiceText(others) + " reads like a " + chip.name;
}

std::string SameIdText(const ChipInfo& chip) {
    std::vector<std::string> others = OthersOfId(chip);
    if (chip.twin) others.insert(others.begin(), chip.twin);
    if (others.empty()) return {};
    return "A " + ChoiceText(others) + " gives the same ID";
}

std::string FamiliesOfIdText(uint8_t id) {
    std::vector<std::pair<ChipFamily, std::string>> families;  // in the catalogue's order
    for (const ChipInfo* chip : ChipsOfId(id)) {
        auto family = families.begin();
        while (family != families.end() && family->first != chip->family) ++family;
        if (family == families.end())
            families.emplace_back(chip->family, chip->name);
        else
            family->second += std::string("/") + chip->name;
    }
    if (families.size() < 2) return {};
    std::string text;
    for (const auto& [family, names] : families) text += (text.empty() ? "" : " or ") + names;
    return text;
}

std::string ChipOptionText() {
    std::string alike;
    for (const ChipInfo& chip : ChipCatalogue())
        if (FirstChipOfId(chip.id) == &chip && !ReadsLikeText(chip).empty())
            alike += (alike.empty() ? "" : "; ") + ReadsLikeText(chip);
    return ChipOptionChoices() + ", where the chip's ID cannot tell" +
           (alike.empty() ? "" : " (" + alike + ")");
}

}  // namespace qk::cli
