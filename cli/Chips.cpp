#include "cli/Chips.h"

#include "core/chips/ChipFacts.h"

namespace qk::cli {

namespace {

constexpr ChipKind kChipKinds[] = {
    {.option = "qk310", .name = "QK310", .id = QK310ChipId, .family = ChipFamily::QK310},
    {.option = "qk320", .name = "QK320", .id = QK320ChipId, .family = ChipFamily::QK310},
    {.option = "qk350", .name = "QK350", .id = QK350ChipId, .family = ChipFamily::QK310},
    {.option = "qk330", .name = "QK330", .id = QK350ChipId, .family = ChipFamily::QK330},
    {.option = "qk340", .name = "QK340", .id = QK350ChipId, .family = ChipFamily::QK330},
};

}  // namespace

const ChipKind* FindChipKind(const std::string& option) {
    for (const ChipKind& kind : kChipKinds)
        if (option == kind.option) return &kind;
    return nullptr;
}

const ChipKind* ChipOfId(uint8_t id) {
    for (const ChipKind& kind : kChipKinds)
        if (id == kind.id) return &kind;
    return nullptr;
}

std::string ChipKindChoices() {
    std::string text;
    const size_t count = std::size(kChipKinds);
    for (size_t i = 0; i < count; ++i) {
        if (i > 0) text += i + 1 == count ? " or " : ", ";
        text += kChipKinds[i].option;
    }
    return text;
}

}  // namespace qk::cli
