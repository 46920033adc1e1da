#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/chips/RegisterTypes.h"

// Every chip the program serves, in one table: detection, chip selection, the command lines, the
// virtual board and the register maps read their chips from here.
namespace qk {

// The chip model that serves a chip in the windows: its power-on values and its controls.
enum class ChipModel { QK310, QK320, QK330 };

// Who offers a chip's radio button in the main window.
enum class ChipOffer {
    Start,  // START: the chip it reads, or all of them when it cannot tell
    Login,  // only the engineering login
};

// One chip: its names, how it reads, its registers and who offers it.
struct ChipInfo {
    // "QK350": as files and messages name it; its radio button is "QK350RadioButton".
    const char* name;
    const char* fullName;  // "QK350/60": as the board and the guide name it (files may too)
    const char* twin;      // "QK360": a chip that reads and is served as this one, or null
    const char* option;    // "qk350": as --chip and --virtual take it
    uint8_t id;            // register 00h's ID bits (ChipIdMask); chips may share one
    ChipFamily family;     // its registers: MapOf(family)
    ChipModel model;       // the model that serves it (the QK350/60 is served as a QK320)
    ChipOffer offer;
    bool virtualBoard;  // the virtual board plays it (a QK340 reads as the QK330 it plays)
};

// clang-format off
inline constexpr ChipInfo kChipCatalogue[] = {
    {.name = "QK310", .fullName = "QK310", .twin = nullptr, .option = "qk310", .id = 0x26,
     .family = ChipFamily::QK310, .model = ChipModel::QK310, .offer = ChipOffer::Start,
     .virtualBoard = true},
    {.name = "QK320", .fullName = "QK320", .twin = nullptr, .option = "qk320", .id = 0x1E,
     .family = ChipFamily::QK310, .model = ChipModel::QK320, .offer = ChipOffer::Start,
     .virtualBoard = true},
    {.name = "QK350", .fullName = "QK350/60", .twin = "QK360", .option = "qk350", .id = 0x00,
     .family = ChipFamily::QK310, .model = ChipModel::QK320, .offer = ChipOffer::Start,
     .virtualBoard = true},
    {.name = "QK330", .fullName = "QK330", .twin = nullptr, .option = "qk330", .id = 0x00,
     .family = ChipFamily::QK330, .model = ChipModel::QK330, .offer = ChipOffer::Login,
     .virtualBoard = true},
    {.name = "QK340", .fullName = "QK340", .twin = nullptr, .option = "qk340", .id = 0x00,
     .family = ChipFamily::QK330, .model = ChipModel::QK330, .offer = ChipOffer::Login,
     .virtualBoard = false},
};
// clang-format on

// Every chip answers at one of two I2C addresses, as its AD pin is wired: the 8-bit write
// addresses, in the order a chip is looked for (0x1a, then 0x1b in 7 bits).
inline constexpr std::array<uint8_t, 2> kChipWriteAddresses = {0x34, 0x36};

// The place of a chip's row in the catalogue, by its name; no chip of that name does not compile.
consteval int ChipIndex(std::string_view name) {
    for (size_t i = 0; i < std::size(kChipCatalogue); ++i)
        if (name == kChipCatalogue[i].name) return static_cast<int>(i);
    throw "no chip of that name in the catalogue";
}

std::span<const ChipInfo> ChipCatalogue();
// By name or full name, in any case ("QK350", "qk350/60"); null for a name no chip has.
const ChipInfo* FindChip(std::string_view name);
// By the name --chip takes ("qk350"), as written; null for none.
const ChipInfo* FindChipOption(std::string_view option);
// Every chip whose register 00h gives `id` (its ID bits), in catalogue order.
std::vector<const ChipInfo*> ChipsOfId(uint8_t id);
// The first chip giving `id` that `offer` offers (any offer when none is given); null for none.
const ChipInfo* FirstChipOfId(uint8_t id);
const ChipInfo* FirstChipOfId(uint8_t id, ChipOffer offer);

// "qk310, qk320, qk350, qk330 or qk340": the names --chip takes.
std::string ChipOptionChoices();
// "a", "a or b", "a, b or c".
std::string ChoiceText(const std::vector<std::string>& items);
// "0x1a": a write address as the 7-bit address i2c-tools print.
std::string SevenBitAddressText(uint8_t writeAddress);

}  // namespace qk
