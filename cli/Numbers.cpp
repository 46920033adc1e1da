#include "cli/Numbers.h"

#include <charconv>

namespace qk::cli {

std::optional<uint32_t> ParseNumber(std::string_view text, uint32_t maximum) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    } else if (text.size() > 1 && (text.back() == 'h' || text.back() == 'H')) {
        text.remove_suffix(1);
        base = 16;
    }
    if (text.empty()) return std::nullopt;
    uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    if (error != std::errc() || stop != end || value > maximum) return std::nullopt;
    return value;
}

std::string HexDigits(uint8_t value) {
    static const char digits[] = "0123456789abcdef";
    return {digits[value >> 4], digits[value & 0xF]};
}

std::string Hex(uint8_t value) {
    return "0x" + HexDigits(value);
}

}  // namespace qk::cli
