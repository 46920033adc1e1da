#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/chips/RegisterTypes.h"

namespace qk {

struct ChipInfo;

const RegisterMap& QK310Map();
const RegisterMap& QK330Map();
const RegisterMap& MapOf(ChipFamily family);
const RegisterMap& MapOf(const ChipInfo& chip);
// The family of a chip the catalogue (chips/ChipCatalogue.h) names, by name or full name in any
// case ("QK350", "QK350/60"), if known.
std::optional<ChipFamily> FamilyOfChip(const std::string& chip);
// The catalogue's chips of a family: each name, then its full name where that differs.
std::vector<std::string> ChipNamesOf(ChipFamily family);

// The fields of a register with bit boxes, bit 7 first ("Not Used" included).
std::vector<RegisterField> FieldsOf(const RegisterInfo& info);

// What a decoder needs of the other bytes of a value: a byte by sub-address, if known.
using ByteLookup = std::function<std::optional<uint8_t>(uint8_t subAddress)>;

// One decoded quantity: a field ("Speed Mode", "1") or a converted value ("", "0.00 dB").
struct DecodedField {
    std::string name;
    std::string text;
};
// The fields of the register at `info` as its windows show them; "Not Used" fields only when set.
// Empty for a continuation byte; a value with an unknown byte reads "unreadable".
std::vector<DecodedField> DecodeFields(const RegisterInfo& info, const RegisterMap& map,
                                       const ByteLookup& bytes);
// "Sys Control 1: Speed Mode=0 SCLK Rate=1 ..." or "Ch1 Volume (26h-27h): 0.00 dB"; empty for a
// continuation byte.
std::string DecodeRegister(const RegisterInfo& info, const RegisterMap& map,
                           const ByteLookup& bytes);
// "Ch1 Volume (26h-27h)" for a value of several bytes, the name alone otherwise.
std::string RegisterTitle(const RegisterInfo& info);

}  // namespace qk
