#pragma once
#include <cstdint>
#include <string>

namespace qk {

// Second-generation volume codes: 0 mutes, 975 is 0.00 dB, 1262 the loudest, +36.00 dB.
constexpr int QK330MuteVolumeCode = 0;
constexpr int QK330ZeroDbVolumeCode = 975;
constexpr int QK330LoudestVolumeCode = 1262;

// The gain of a code in units of 2^-25: the code itself up to 63, then 48 steps per doubling
// (floor(2^(25 + (code - 975) / 48))) for codes 1..1262; 0 for any other code (mute, or a value
// that is no code).
int64_t QK330LinearGain(int code);

// Readout text of a code: the gain in dB to two decimals ("36.00 dB", "-0.13 dB",
// "-150.51 dB"), "Mute" for 0 and below, and "invalid code 04EFh" above 1262: a register word
// beyond the table.
std::string QK330VolumeCodeText(int code);

}  // namespace qk
