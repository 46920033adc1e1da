#include "cli/Numbers.h"

namespace qk::cli {

std::string HexDigits(uint8_t value) {
    static const char digits[] = "0123456789abcdef";
    return {digits[value >> 4], digits[value & 0xF]};
}

std::string Hex(uint8_t value) {
    return "0x" + HexDigits(value);
}

}  // namespace qk::cli
