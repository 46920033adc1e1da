#pragma once
#include <cstdint>
#include <string>

namespace qk::cli {

// "0x1a": a 7-bit address, register or byte as i2c-tools print it (two lower-case digits).
std::string Hex(uint8_t value);
// "1a": the same without the prefix, as a register listing prints it.
std::string HexDigits(uint8_t value);

}  // namespace qk::cli
