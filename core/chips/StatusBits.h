#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/chips/RegisterMap.h"

namespace qk {

// One bit of a status register (00h General Status, 01h Error Status), named as the register map
// names it, with what its level says.
struct StatusBit {
    uint8_t reg;
    int bit;
    const char* name;
    BitSense sense = BitSense::Information;
    const char* fault = nullptr;  // the fault a fault bit's bad level reports

    bool IsFault(bool level) const {
        return sense == (level ? BitSense::FaultWhenSet : BitSense::FaultWhenClear);
    }
    // "fault (clipping in the last 10 ms)", "good", "information".
    std::string Verdict(bool level) const;
    // What the levels mean: "0 = fault (clipping in the last 10 ms), 1 = good", "information".
    std::string SenseText() const;
};

// The status registers of both families: the only registers that may be read at any time without
// side effects (a write clears 01h).
constexpr uint8_t StatusRegisters[] = {0x00, 0x01};

// The one-bit fields of both status registers, 00h first, each register from D7 down; the chip's
// identification field and unused bits are left out.
const std::vector<StatusBit>& StatusBits(ChipFamily family);
std::optional<StatusBit> FindStatusBit(ChipFamily family, std::string_view name);

}  // namespace qk
