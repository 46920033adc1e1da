#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qk::cli {

// A number as a user types it on the command line or in a script: hexadecimal as "0x1f" or
// "1fh" (either case), otherwise decimal. Nothing else is accepted: no sign, no spaces, no
// suffix. Empty when the text is not such a number or exceeds `maximum`.
std::optional<uint32_t> ParseNumber(std::string_view text, uint32_t maximum);

// The same for one byte (0..255), the unit of registers and values.
inline std::optional<uint8_t> ParseByte(std::string_view text) {
    const auto value = ParseNumber(text, 0xFF);
    if (!value) return std::nullopt;
    return static_cast<uint8_t>(*value);
}

// "0x1a": a 7-bit address, register or byte as i2c-tools print it (two lower-case digits).
std::string Hex(uint8_t value);
// "1a": the same without the prefix, as a register listing prints it.
std::string HexDigits(uint8_t value);

}  // namespace qk::cli
