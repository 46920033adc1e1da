#include "core/cmdline/NumberRule.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>

namespace qk::cmdline {

const char kNumberRuleText[] =
    "Numbers: registers, values and addresses in hexadecimal, as 0x26 or 26h (either case);\n"
    "a bare number only 0 to 9. Counts, milliseconds and bus numbers in decimal.\n";

namespace {

bool IsDigit(unsigned char c) {
    return std::isdigit(c) != 0;
}
bool IsHexDigit(unsigned char c) {
    return std::isxdigit(c) != 0;
}

bool AllOf(std::string_view text, bool (*test)(unsigned char)) {
    return !text.empty() && std::all_of(text.begin(), text.end(), test);
}

std::optional<uint32_t> Digits(std::string_view text, int base) {
    uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
    return value;
}

// A refusal: the text quoted, then the parts of the reason.
template <typename... Parts>
ReadNumber Refused(std::string_view text, const Parts&... parts) {
    std::string error = "'";
    error.append(text);
    error += "'";
    (error.append(std::string_view(parts)), ...);
    return {.value = {}, .error = std::move(error)};
}

std::string Article(const char* noun) {
    return std::string(std::string_view("aeiou").find(noun[0]) != std::string_view::npos ? "an "
                                                                                         : "a ") +
           noun;
}

// A bare number of two or more digits: both readings, where each fits.
ReadNumber Ambiguous(std::string_view text, HexKind kind) {
    const std::optional<uint32_t> hex = Digits(text, 16), decimal = Digits(text, 10);
    const bool hexFits = hex && *hex <= kind.maximum,
               decimalFits = decimal && *decimal <= kind.maximum;
    const std::string decimalText = decimal ? std::to_string(*decimal) : std::string(text);
    if (hexFits && decimalFits)
        return Refused(text, ": write ", HexText(*hex), " for the ", kind.noun, " shown as ", text,
                       ", or ", HexText(*decimal), " for decimal ", decimalText);
    if (decimalFits)
        return Refused(text, ": write ", HexText(*decimal), " for decimal ", decimalText,
                       " (a bare number is one digit, 0 to 9)");
    return Refused(text, " is over ", HexText(kind.maximum));
}

}  // namespace

std::string HexText(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%02x", value);
    return text;
}

ReadNumber ReadHex(std::string_view text, HexKind kind) {
    std::string_view digits = text;
    const bool prefixed = digits.size() > 2 && digits[0] == '0' && (digits[1] | 0x20) == 'x';
    const bool suffixed = !prefixed && digits.size() > 1 && (digits.back() | 0x20) == 'h';
    if (prefixed) digits.remove_prefix(2);
    if (suffixed) digits.remove_suffix(1);
    if (!AllOf(digits, &IsHexDigit))
        return Refused(text, " is not ", Article(kind.noun), ": write it as 0x1f or 1fh");
    const std::optional<uint32_t> value = Digits(digits, 16);
    if (!prefixed && !suffixed) {
        // "03" is 3 in either reading; "26" is not.
        if (AllOf(digits, &IsDigit) && value && *value > 9) return Ambiguous(digits, kind);
        if (!AllOf(digits, &IsDigit))
            return Refused(text, ": write 0x", text, " or ", text, "h for a hexadecimal ",
                           kind.noun);
    }
    if (!value || *value > kind.maximum) return Refused(text, " is over ", HexText(kind.maximum));
    return {.value = value, .error = {}};
}

std::optional<uint32_t> ReadDecimal(std::string_view text, uint32_t maximum) {
    if (!AllOf(text, &IsDigit)) return std::nullopt;
    const std::optional<uint32_t> value = Digits(text, 10);
    if (!value || *value > maximum) return std::nullopt;
    return value;
}

std::string I2cDevicePath(const std::string& value) {
    return AllOf(value, &IsDigit) ? "/dev/i2c-" + value : value;
}

}  // namespace qk::cmdline
