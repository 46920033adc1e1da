#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "core/chips/RegisterMap.h"

namespace qk {

// The registers of one chip at one moment, as a snapshot file holds them.
struct Snapshot {
    ChipFamily family = ChipFamily::QK310;
    std::string chip;        // "QK330"; empty when a file does not say
    std::string i2cAddress;  // 7-bit, "0x1a"
    std::string taken;       // "2026-12-08T10:15:00Z"
    std::string source;      // "chip", or "image, off line"
    std::string program;     // "qk3xx 1.2.0"
    // By sub-address; nullopt for a register that could not be read.
    std::map<uint8_t, std::optional<uint8_t>> values;

    std::optional<uint8_t> Value(uint8_t subAddress) const {
        const auto found = values.find(subAddress);
        return found == values.end() ? std::nullopt : found->second;
    }
    bool Holds(uint8_t subAddress) const { return values.count(subAddress) != 0; }
    ByteLookup Lookup() const {
        return [this](uint8_t subAddress) { return Value(subAddress); };
    }
};

// The header of a snapshot taken now by this program: the chip and its 8-bit write address (0x34
// reads "0x1a").
void StampSnapshot(Snapshot& snapshot, const std::string& chip, uint8_t writeAddress);

// Every register of the family at its power-on value (00h as `chip` reports it).
Snapshot PowerOnSnapshot(ChipFamily family, const std::string& chip);

}  // namespace qk
