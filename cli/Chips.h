#pragma once
#include <cstdint>
#include <string>

#include "core/chips/RegisterMap.h"

namespace qk::cli {

// A chip --chip can name: its option value, its name, the ID its register 00h gives (bits 1..5)
// and its family. The QK330 and QK340 give the QK350's ID: only --chip tells them apart.
struct ChipKind {
    const char* option;
    const char* name;
    uint8_t id;
    ChipFamily family;
};

const ChipKind* FindChipKind(const std::string& option);
// The first chip giving `id`, or nullptr for an ID no chip gives.
const ChipKind* ChipOfId(uint8_t id);
// "qk310, qk320, qk350, qk330 or qk340"
std::string ChipKindChoices();

}  // namespace qk::cli
