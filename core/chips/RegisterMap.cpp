#include "core/chips/RegisterMap.h"

#include <algorithm>
#include <cstdio>

#include "core/chips/ChipCatalogue.h"
#include "core/chips/InvalidCode.h"
#include "core/chips/QK310Offsets.h"
#include "core/chips/QK310RegisterMap.h"
#include "core/chips/QK310VolumeCode.h"
#include "core/chips/QK330Offsets.h"
#include "core/chips/QK330RegisterMap.h"
#include "core/chips/QK330VolumeCode.h"

namespace qk {

namespace {

constexpr uint8_t kChannelBits = 0x3F;
constexpr RegisterMap kQK310Map{ChipFamily::QK310, "QK310/QK320/QK350", kQK310Registers, 0x19,
                                kChannelBits};
constexpr RegisterMap kQK330Map{ChipFamily::QK330, "QK330/QK340", kQK330Registers, 0x11,
                                kChannelBits};

std::string Hex(const char* format, unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

constexpr unsigned kAutoMuteDelays = 10;  // codes 0..9: 5 ms .. 50 ms
constexpr int kByteHexDigits = 2;
constexpr uint8_t kAutoMuteCodeBits = 0x0F, kAbdCodeBits = 0x1F, kErrorRecoveryCodeBits = 0x0F;

// "5 ms" .. "50 ms", as the delay lists name codes 0..9; the other codes as such.
std::string AutoMuteDelayText(unsigned code) {
    return code < kAutoMuteDelays ? std::to_string((code + 1) * 5) + " ms"
                                  : InvalidCodeText(code, kByteHexDigits);
}

// The value of `bytes` bytes from the first, high byte first; nothing when one is unknown.
std::optional<uint32_t> Word(const RegisterInfo& info, const RegisterMap& map,
                             const ByteLookup& bytes) {
    uint32_t word = 0;
    for (uint8_t sub : map.BytesOf(info)) {
        const std::optional<uint8_t> byte = bytes(sub);
        if (!byte) return std::nullopt;
        word = word << 8 | *byte;
    }
    return word;
}

// The engineering-unit text of a value, by the conversions the windows use; a value outside a
// conversion's table reads "invalid code ...h".
std::string Converted(Conversion conversion, uint32_t value) {
    switch (conversion) {
        case Conversion::QK310Volume:
            return QK310VolumeCodeText(static_cast<int>(value));
        case Conversion::QK310DcOffset:
            return QK310DcOffsetPercentText(static_cast<uint8_t>(value));
        case Conversion::HexReadout:
            return Hex("0x%02X", value);
        case Conversion::AutoMuteDelay:
            return AutoMuteDelayText(value & kAutoMuteCodeBits);
        case Conversion::ErrMuteDelay:
            return "Err Recovery " + std::to_string(value >> 4 & kErrorRecoveryCodeBits) +
                   " TC Clocks, AutoMute " + AutoMuteDelayText(value & kAutoMuteCodeBits);
        case Conversion::AbdDelay:
            return std::to_string(value & kAbdCodeBits) + " DCLK cycle";
        case Conversion::QK330Volume:
            return QK330VolumeCodeText(static_cast<int>(value));
        case Conversion::QK330DcOffset:
            return DcOffsetValueText(static_cast<uint16_t>(value));
        case Conversion::PadcOffset:
            return PadcOffsetValueText(static_cast<uint16_t>(value));
        case Conversion::SeOffset:
            return SeOffsetFromBytes(
                {uint8_t(value >> 24), uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)});
        case Conversion::None:
            break;
    }
    return Hex("0x%02X", value);
}

bool HasBitFields(const RegisterInfo& info) {
    return info.bitCaptions[0] != nullptr;
}

bool IsNotUsed(const char* caption) {
    std::string text = caption;
    std::transform(text.begin(), text.end(), text.begin(), ::tolower);
    return text == "not used";
}

// A name that two fields share gets their bits: "Normal Mode (D4)", "Not Used (D4-D3)".
std::string FieldLabel(const RegisterField& field, const std::vector<RegisterField>& fields) {
    const auto same = std::count_if(fields.begin(), fields.end(), [&](const RegisterField& other) {
        return std::string(other.name) == field.name;
    });
    if (same < 2) return field.name;
    char bits[16];
    if (field.firstBit == field.lastBit)
        std::snprintf(bits, sizeof bits, " (D%d)", field.lastBit);
    else
        std::snprintf(bits, sizeof bits, " (D%d-D%d)", field.lastBit, field.firstBit);
    return field.name + std::string(bits);
}

}  // namespace

const RegisterInfo* RegisterMap::Find(uint8_t subAddress) const {
    for (const RegisterInfo& info : registers)
        if (info.subAddress == subAddress) return &info;
    return nullptr;
}

const RegisterInfo& RegisterMap::FirstByteOf(const RegisterInfo& info) const {
    const RegisterInfo* first = &info;
    while (first->width == 0 && first != registers.data()) --first;
    return *first;
}

std::vector<uint8_t> RegisterMap::BytesOf(const RegisterInfo& info) const {
    std::vector<uint8_t> subs;
    for (int i = 0; i < std::max(info.width, 1); ++i)
        subs.push_back(static_cast<uint8_t>(info.subAddress + i));
    return subs;
}

const RegisterMap& QK310Map() {
    return kQK310Map;
}

const RegisterMap& QK330Map() {
    return kQK330Map;
}

const RegisterMap& MapOf(const ChipInfo& chip) {
    return MapOf(chip.family);
}

const RegisterMap& MapOf(ChipFamily family) {
    return family == ChipFamily::QK310 ? kQK310Map : kQK330Map;
}

std::optional<ChipFamily> FamilyOfChip(const std::string& chip) {
    const ChipInfo* known = FindChip(chip);
    if (!known) return std::nullopt;
    return known->family;
}

std::vector<std::string> ChipNamesOf(ChipFamily family) {
    std::vector<std::string> names;
    for (const ChipInfo& chip : ChipCatalogue()) {
        if (chip.family != family) continue;
        names.emplace_back(chip.name);
        if (std::string_view(chip.fullName) != chip.name) names.emplace_back(chip.fullName);
    }
    return names;
}

std::vector<RegisterField> FieldsOf(const RegisterInfo& info) {
    std::vector<RegisterField> fields;
    if (!HasBitFields(info)) return fields;
    for (int bit = 7; bit >= 0; --bit) {
        const char* caption = info.bitCaptions[7 - bit];
        if (!fields.empty() && std::string(fields.back().name) == caption)
            fields.back().firstBit = bit;
        else
            fields.push_back({caption, bit, bit});
    }
    return fields;
}

std::vector<DecodedField> DecodeFields(const RegisterInfo& info, const RegisterMap& map,
                                       const ByteLookup& bytes) {
    if (info.width == 0) return {};
    const std::optional<uint32_t> value = Word(info, map, bytes);
    if (!value) return {{"", "unreadable"}};
    std::vector<DecodedField> decoded;
    if (info.conversion != Conversion::None || !HasBitFields(info))
        decoded.push_back({"", Converted(info.conversion, *value)});
    const std::vector<RegisterField> fields = FieldsOf(info);
    for (const RegisterField& field : fields) {
        const uint8_t fieldValue = field.Value(static_cast<uint8_t>(*value));
        const bool notUsed = IsNotUsed(field.name);
        // A converted register shows its used bits as the conversion; unused bits only when set.
        if ((notUsed || info.conversion != Conversion::None) && (!notUsed || fieldValue == 0))
            continue;
        decoded.push_back({FieldLabel(field, fields), std::to_string(fieldValue)});
    }
    return decoded;
}

std::string RegisterTitle(const RegisterInfo& info) {
    if (info.width <= 1) return info.name;
    return std::string(info.name) + " (" + Hex("%02Xh", info.subAddress) + "-" +
           Hex("%02Xh", info.subAddress + info.width - 1u) + ")";
}

std::string DecodeRegister(const RegisterInfo& info, const RegisterMap& map,
                           const ByteLookup& bytes) {
    if (info.width == 0) return {};
    std::string text = RegisterTitle(info) + ":";
    for (const DecodedField& field : DecodeFields(info, map, bytes))
        text += " " + (field.name.empty() ? field.text : field.name + "=" + field.text);
    return text;
}

}  // namespace qk
