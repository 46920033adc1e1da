#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qk {

// The second generation's offset registers and the texts their windows show. Every number keeps
// "." as its decimal separator whatever the locale.

// DC offsets: slider positions 0 (top, +4095) .. 8191 (bottom, -4096); 4095 is no offset. The
// register holds the signed offset as a 13-bit two's-complement value.
constexpr int OffsetSliderMaximum = 8191;
constexpr int DcOffsetZeroPosition = 4095;
uint16_t DcOffsetRegisterValue(int position);
// The position of a register value; values beyond 13 bits land at the nearest end.
int DcOffsetPosition(uint16_t value);
// "6.2500%" at the top, "0.0000%" at 4095, "-0.0015%" at 4096, "-6.2515%" at the bottom.
std::string DcOffsetPercentText(int position);
// The percentage of a register value; a value beyond 13 bits reads "invalid code 2000h".
std::string DcOffsetValueText(uint16_t value);

// PADC offset: position 4096 is no offset. The register holds what its hex readout shows,
// (position + 4096) mod 8192, and a register value puts the slider back where it came from.
constexpr int PadcOffsetZeroPosition = 4096;
uint16_t PadcOffsetRegisterValue(int position);
int PadcOffsetPosition(uint16_t value);
std::string PadcOffsetPercentText(int position);
// The percentage of a register value; a value beyond 13 bits reads "invalid code 2000h".
std::string PadcOffsetValueText(uint16_t value);

// Whether an offset register's word is one the sliders can show (13 bits).
bool IsThirteenBitValue(uint16_t value);

// "0x" and four upper-case hex digits.
std::string HexWordText(uint16_t value);

// The single-ended offset: four bytes (32h first) of a signed 32-bit value with 30 fraction bits.
using SeOffsetBytes = std::array<uint8_t, 4>;
// The value in single precision with 30 decimals: 20h 41h 00h 00h is
// "0.503967285156250000000000000000".
std::string SeOffsetFromBytes(const SeOffsetBytes& bytes);
// The longest number at the start of the text (leading spaces skipped; 0 when there is none, and
// "inf" or "nan" are words, not numbers), limited to -2 .. just under 2 and truncated toward zero
// to 30 fraction bits.
SeOffsetBytes SeOffsetToBytes(std::string_view text);
// A hex byte edit: its first two characters as hex digits, anything else counting 0 ("5" is
// 50h, "" is 00h).
uint8_t HexEditByte(std::string_view text);
// Two lower-case hex digits: "0a", "f2".
std::string HexEditText(uint8_t value);
// The toolkit's general floating-point format: up to 15 significant digits, no trailing zeros.
std::string GeneralFloatText(double value);

}  // namespace qk
