#include "core/chips/DecimalText.h"

#include <charconv>
#include <cstdlib>
#include <string_view>

namespace qk {

namespace {

// A "-" before digits that are all zeros (up to any exponent) is the sign of a zero: dropped.
std::string WithoutNegativeZero(std::string_view text) {
    if (!text.starts_with('-')) return std::string(text);
    const std::string_view digits = text.substr(1, text.find_first_of("eE") - 1);
    const bool zero = digits.find_first_of("123456789") == std::string_view::npos;
    return std::string(zero ? text.substr(1) : text);
}

std::string Formatted(double value, std::chars_format format, int precision) {
    char text[400];  // the widest double in fixed notation with its places
    const auto [end, error] = std::to_chars(text, text + sizeof text, value, format, precision);
    return error == std::errc() ? WithoutNegativeZero({text, end}) : std::string("0");
}

}  // namespace

std::string FixedDecimalText(double value, int decimals) {
    return Formatted(value, std::chars_format::fixed, decimals);
}

std::string ScaledDecimalText(long long steps, int decimals) {
    // The digits of the magnitude, with zeros in front so that there is one before the point.
    std::string digits = std::to_string(std::llabs(steps));
    if (static_cast<int>(digits.size()) <= decimals)
        digits.insert(0, static_cast<size_t>(decimals + 1) - digits.size(), '0');
    if (decimals > 0) digits.insert(digits.size() - static_cast<size_t>(decimals), 1, '.');
    if (steps < 0) digits.insert(0, 1, '-');
    return digits;
}

std::string GeneralDecimalText(double value, int significantDigits) {
    return Formatted(value, std::chars_format::general, significantDigits);
}

}  // namespace qk
