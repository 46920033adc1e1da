#pragma once
#include <cstdint>

namespace qk {

// Facts of the chips that the program and the virtual evaluation board both rely on.

// Every QK3xx drives six PWM channels, numbered 1..6 in the windows.
constexpr int ChannelCount = 6;

// The first generation tells its members apart by register 00h; only bits 1..5 identify the chip
// (bit 0 and the top two bits vary between silicon revisions). Each chip's ID is in its row of
// the chip catalogue (chips/ChipCatalogue.h).
constexpr uint8_t ChipIdRegister = 0x00;
constexpr uint8_t ChipIdMask = 0x3E;

// The loudest first-generation volume code, "24.0 dB": where the master slider's position 0 is.
constexpr int QK310LoudestVolumeCode = 249;

}  // namespace qk
