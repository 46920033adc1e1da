#include "core/chips/QK330Offsets.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "core/chips/DecimalText.h"
#include "core/chips/InvalidCode.h"

namespace qk {

namespace {

constexpr double kFullScalePercent = 6.25;
constexpr double kStepsPerFullScale = 4095.0;
constexpr int kThirteenBits = 8192;
constexpr uint16_t kSignBit = 0x1000;
constexpr uint16_t kMagnitudeBits = 0x0FFF;
constexpr uint16_t kHighestThirteenBitValue = 0x1FFF;
constexpr int kWordHexDigits = 4;

constexpr double kSeFractionScale = 1073741824.0;  // 2^30
constexpr double kSeLowest = -2147483648.0;        // -2^31
constexpr double kSeHighest = 2147483647.0;        // 2^31 - 1
constexpr int kSeDecimals = 30;

std::string PercentText(int steps) {
    return FixedDecimalText(steps * kFullScalePercent / kStepsPerFullScale, 4) + "%";
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
}

// A number too small or too large for a double: 0, or an infinity of its sign.
double BeyondDoubleRange(std::string_view number) {
    const size_t exponent = number.find_first_of("eE");
    const bool tiny = exponent != std::string_view::npos && exponent + 1 < number.size() &&
                      number[exponent + 1] == '-';
    if (tiny) return 0.0;
    return number.front() == '-' ? -HUGE_VAL : HUGE_VAL;
}

// The longest number at the start of the text after leading spaces; 0 when there is none.
double LeadingNumber(std::string_view text) {
    const size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos) return 0.0;
    text.remove_prefix(start);
    // from_chars takes no "+" of its own.
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
    // A number starts with a digit or a point after its sign: from_chars would also take the
    // words "inf", "infinity" and "nan", which are no numeric prefix.
    const size_t first = !text.empty() && text.front() == '-' ? 1 : 0;
    if (first >= text.size() ||
        !(std::isdigit(static_cast<unsigned char>(text[first])) || text[first] == '.'))
        return 0.0;
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc::result_out_of_range)
        return BeyondDoubleRange(text.substr(0, end - text.data()));
    return error == std::errc() ? value : 0.0;
}

}  // namespace

bool IsThirteenBitValue(uint16_t value) {
    return value <= kHighestThirteenBitValue;
}

uint16_t DcOffsetRegisterValue(int position) {
    const int offset = DcOffsetZeroPosition - position;
    return static_cast<uint16_t>((offset + kThirteenBits) % kThirteenBits);
}

int DcOffsetPosition(uint16_t value) {
    const int position = value < kSignBit ? DcOffsetZeroPosition - value : value ^ kMagnitudeBits;
    return std::clamp(position, 0, OffsetSliderMaximum);
}

std::string DcOffsetPercentText(int position) {
    return PercentText(DcOffsetZeroPosition - position);
}

std::string DcOffsetValueText(uint16_t value) {
    if (!IsThirteenBitValue(value)) return InvalidCodeText(value, kWordHexDigits);
    return DcOffsetPercentText(DcOffsetPosition(value));
}

uint16_t PadcOffsetRegisterValue(int position) {
    return static_cast<uint16_t>((position + PadcOffsetZeroPosition) % kThirteenBits);
}

int PadcOffsetPosition(uint16_t value) {
    return (value + PadcOffsetZeroPosition) % kThirteenBits;
}

std::string PadcOffsetPercentText(int position) {
    return PercentText(PadcOffsetZeroPosition - position);
}

std::string PadcOffsetValueText(uint16_t value) {
    if (!IsThirteenBitValue(value)) return InvalidCodeText(value, kWordHexDigits);
    return PadcOffsetPercentText(PadcOffsetPosition(value));
}

std::string HexWordText(uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

std::string SeOffsetFromBytes(const SeOffsetBytes& bytes) {
    const uint32_t raw = uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 |
                         uint32_t{bytes[2]} << 8 | uint32_t{bytes[3]};
    const auto value = static_cast<int32_t>(raw);
    const auto single = static_cast<float>(value / kSeFractionScale);
    return FixedDecimalText(single, kSeDecimals);
}

SeOffsetBytes SeOffsetToBytes(std::string_view text) {
    double scaled = LeadingNumber(text) * kSeFractionScale;
    scaled = std::clamp(scaled, kSeLowest, kSeHighest);
    const auto raw = static_cast<uint32_t>(static_cast<int32_t>(std::trunc(scaled)));
    return {static_cast<uint8_t>(raw >> 24), static_cast<uint8_t>(raw >> 16),
            static_cast<uint8_t>(raw >> 8), static_cast<uint8_t>(raw)};
}

uint8_t HexEditByte(std::string_view text) {
    const int high = text.size() > 0 ? HexDigit(text[0]) : 0;
    const int low = text.size() > 1 ? HexDigit(text[1]) : 0;
    return static_cast<uint8_t>(high << 4 | low);
}

std::string HexEditText(uint8_t value) {
    char text[4];
    std::snprintf(text, sizeof text, "%02x", value);
    return text;
}

std::string GeneralFloatText(double value) {
    constexpr int kSignificantDigits = 15;
    return GeneralDecimalText(value, kSignificantDigits);
}

}  // namespace qk
