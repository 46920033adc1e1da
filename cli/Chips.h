#pragma once
#include <string>

#include "core/chips/ChipCatalogue.h"

// What qk3xx-cli says of chips that read alike, from the chip catalogue.
namespace qk::cli {

// "a QK330 or QK340 reads like a QK350": the other chips that give the ID of `chip`, the first
// chip of its ID; empty when none does.
std::string ReadsLikeText(const ChipInfo& chip);
// "A QK360, QK330 or QK340 gives the same ID": every other chip that reads as `chip`, its twin
// first; empty when none does.
std::string SameIdText(const ChipInfo& chip);
// "QK350 or QK330/QK340": the chips that give `id`, a family's chips joined by "/", when they
// are of more than one family (the ID cannot tell which registers the chip has); empty otherwise.
std::string FamiliesOfIdText(uint8_t id);
// "qk310, qk320, qk350, qk330 or qk340, where the chip's ID cannot tell (a QK330 or QK340 reads
// like a QK350)": what --chip takes, and why.
std::string ChipOptionText();

}  // namespace qk::cli
