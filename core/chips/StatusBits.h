#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/chips/RegisterMap.h"

namespace qk {

// One bit of a status register (00h General Status, 01h Error Status), named as the register map
// names it.
struct StatusBit {
    uint8_t reg;
    int bit;
    const char* name;
};

// The status registers of both families: the only registers that may be read at any time without
// side effects (a write clears 01h).
constexpr uint8_t StatusRegisters[] = {0x00, 0x01};

// The one-bit fields of both status registers, 00h first, each register from D7 down; the chip's
// identification field and unused bits are left out.
const std::vector<StatusBit>& StatusBits(ChipFamily family);
std::optional<StatusBit> FindStatusBit(ChipFamily family, std::string_view name);

}  // namespace qk
