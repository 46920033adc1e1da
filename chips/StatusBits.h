#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace qk {

// The two register sets whose status registers the program watches.
enum class StatusSet { First, QK330 };

// One bit of a status register (00h General Status, 01h Error Status), named as the register
// editors caption it.
struct StatusBit {
    uint8_t reg;
    int bit;
    const char* name;
};

// The status registers: the only registers that may be read at any time without side effects.
constexpr uint8_t StatusRegisters[] = {0x00, 0x01};

// The named bits of both status registers, 00h first, each register from D7 down; the chip's
// identification field and unused bits are left out.
const std::vector<StatusBit>& StatusBits(StatusSet set);
std::optional<StatusBit> FindStatusBit(StatusSet set, std::string_view name);

}  // namespace qk
