// Every value a chip can return, through the conversion of every register of both maps: a text
// within the conversion's table, with the value's sign, or one that says the value is no code.
#include <gtest/gtest.h>

#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "core/chips/RegisterMap.h"

namespace qk::test {
namespace {

// What a conversion's readouts may show. A conversion without a row still has to give a defined,
// printable text for every value.
struct Readouts {
    Conversion conversion;
    uint32_t codeBits;     // the bits the conversion reads
    uint32_t highestCode;  // codes above read "invalid code ...h"
    double lowest, highest;
    const char* unit;
    const char* silence = nullptr;    // the text of the codes without a gain ("Mute")
    uint32_t highestSilent = 0;       // ... which are 0..highestSilent
    int (*sign)(uint32_t) = nullptr;  // the sign a value's text carries, for signed quantities
    bool hexByte = false;             // "0x4C"
};

int SignOf(long long value) {
    return (value > 0) - (value < 0);
}
int Signed8(uint32_t value) {
    return SignOf(static_cast<int8_t>(value));
}
int Signed13(uint32_t value) {
    return SignOf(value >= 0x1000 ? static_cast<long long>(value) - 0x2000 : value);
}
// The PADC register holds the two's complement of the negated offset.
int NegatedSigned13(uint32_t value) {
    return -Signed13(value);
}
int Signed32(uint32_t value) {
    return SignOf(static_cast<int32_t>(value));
}

const Readouts kReadouts[] = {
    {.conversion = Conversion::QK310Volume,
     .codeBits = 0xFF,
     .highestCode = 249,
     .lowest = -114.4,
     .highest = 24.0,
     .unit = " dB",
     .silence = "MUTE",
     .highestSilent = 5},
    {.conversion = Conversion::QK310DcOffset,
     .codeBits = 0xFF,
     .highestCode = 0xFF,
     .lowest = -1.572,
     .highest = 1.560,
     .unit = "%",
     .sign = Signed8},
    {.conversion = Conversion::HexReadout,
     .codeBits = 0xFF,
     .highestCode = 0xFF,
     .lowest = 0,
     .highest = 0,
     .unit = "",
     .hexByte = true},
    {.conversion = Conversion::AutoMuteDelay,
     .codeBits = 0x0F,
     .highestCode = 9,
     .lowest = 5,
     .highest = 50,
     .unit = " ms"},
    {.conversion = Conversion::AbdDelay,
     .codeBits = 0x1F,
     .highestCode = 31,
     .lowest = 0,
     .highest = 31,
     .unit = " DCLK cycle"},
    {.conversion = Conversion::QK330Volume,
     .codeBits = 0xFFFF,
     .highestCode = 1262,
     .lowest = -150.51,
     .highest = 36.00,
     .unit = " dB",
     .silence = "Mute",
     .highestSilent = 0},
    {.conversion = Conversion::QK330DcOffset,
     .codeBits = 0xFFFF,
     .highestCode = 0x1FFF,
     .lowest = -6.2515,
     .highest = 6.25,
     .unit = "%",
     .sign = Signed13},
    {.conversion = Conversion::PadcOffset,
     .codeBits = 0xFFFF,
     .highestCode = 0x1FFF,
     .lowest = -6.25,
     .highest = 6.2515,
     .unit = "%",
     .sign = NegatedSigned13},
    {.conversion = Conversion::SeOffset,
     .codeBits = 0xFFFFFFFF,
     .highestCode = 0xFFFFFFFF,
     .lowest = -2.0,
     .highest = 2.0,
     .unit = "",
     .sign = Signed32},
};

const Readouts* ReadoutsOf(Conversion conversion) {
    for (const Readouts& readouts : kReadouts)
        if (readouts.conversion == conversion) return &readouts;
    return nullptr;
}

std::string HexText(const char* format, uint32_t value, int digits = 0) {
    char text[32];
    std::snprintf(text, sizeof text, format, digits, value);
    return text;
}

// Why a text is no sane readout of `value`; empty when it is one.
std::string Fault(const std::string& text, uint32_t value, int width, const Readouts* readouts) {
    if (text.empty() || text.size() > 80) return "no readout";
    for (unsigned char c : text)
        if (c < 0x20 || c == 0x7F) return "not printable";
    if (!readouts) return "";
    const uint32_t code = value & readouts->codeBits;
    if (code > readouts->highestCode) {
        const int digits = readouts->codeBits > 0xFF ? 2 * width : 2;
        return text == HexText("invalid code %0*Xh", code, digits) ? "" : "not the invalid text";
    }
    if (readouts->hexByte) return text == HexText("0x%0*X", code, 2) ? "" : "not its hex byte";
    if (readouts->silence && code <= readouts->highestSilent)
        return text == readouts->silence ? "" : "not silent";
    const std::string unit = readouts->unit;
    if (!text.ends_with(unit)) return "no unit";
    double number = 0;
    const char* end = text.data() + text.size() - unit.size();
    const auto [last, error] = std::from_chars(text.data(), end, number);
    if (error != std::errc() || last != end) return "no number";
    if (number < readouts->lowest || number > readouts->highest) return "beyond the table";
    if (readouts->sign) {
        const int sign = readouts->sign(code);
        if ((sign < 0) != text.starts_with("-") || (sign == 0) != (number == 0)) return "sign lost";
    }
    return "";
}

// The values a register's bytes take: every one for up to two bytes; for a longer value each byte
// across 00h..FFh while the others hold one of a few patterns.
std::vector<uint32_t> ValuesOf(int width, uint32_t powerOn) {
    std::vector<uint32_t> values;
    if (width <= 2) {
        for (uint32_t value = 0; value < (1u << (8 * width)); ++value) values.push_back(value);
        return values;
    }
    for (uint32_t others : {0u, 0xFFFFFFFFu, powerOn})
        for (int byte = 0; byte < width; ++byte)
            for (uint32_t b = 0; b <= 0xFF; ++b) {
                const int shift = 8 * (width - 1 - byte);
                values.push_back((others & ~(0xFFu << shift)) | b << shift);
            }
    return values;
}

TEST(RegisterValueTexts, EveryValueOfEveryConvertingRegisterReadsAsAReadoutOrAsNoCode) {
    for (const RegisterMap* map : {&QK310Map(), &QK330Map()}) {
        for (const RegisterInfo& info : map->registers) {
            if (info.conversion == Conversion::None || info.width == 0) continue;
            const std::vector<uint8_t> subs = map->BytesOf(info);
            uint32_t powerOn = 0;
            for (uint8_t sub : subs) powerOn = powerOn << 8 | map->Find(sub)->powerOn;
            const Readouts* readouts = ReadoutsOf(info.conversion);
            int faults = 0;
            for (const uint32_t value : ValuesOf(info.width, powerOn)) {
                const ByteLookup bytes = [&](uint8_t sub) -> std::optional<uint8_t> {
                    const int shift = 8 * (subs.back() - sub);
                    return static_cast<uint8_t>(value >> shift);
                };
                std::string text;
                for (const DecodedField& field : DecodeFields(info, *map, bytes))
                    if (field.name.empty()) text = field.text;
                const std::string fault = Fault(text, value, info.width, readouts);
                if (fault.empty() || ++faults > 3) continue;
                ADD_FAILURE() << map->familyName << " " << RegisterTitle(info) << " value "
                              << HexText("%0*Xh", value, 2 * info.width) << " reads \"" << text
                              << "\": " << fault;
            }
        }
    }
}

}  // namespace
}  // namespace qk::test
