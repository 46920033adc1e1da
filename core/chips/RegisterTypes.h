#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <vector>

// The types the register tables are written in: the chip catalogue and the two families' maps
// include only these; the look-ups over the tables are in RegisterMap.h.
namespace qk {

// The two register sets the program serves.
enum class ChipFamily {
    QK310,  // QK310, QK320, QK350/60: 29 one-byte registers
    QK330,  // QK330, QK340: 61 register bytes, some of them words
};

enum class RegisterAccess {
    ReadOnly,     // status: read, never written
    WriteClears,  // status that a write clears
    ReadWrite,
    WriteOnly,  // reads back nothing meaningful: the program's last write stands for it
    Test,       // read-write, offered only after the engineering login
};

// How a register's value reads in engineering units, as its window shows it.
enum class Conversion {
    None,           // the bit fields
    QK310Volume,    // volume code: "0.0 dB"
    QK310DcOffset,  // signed byte: "0.000%"
    HexReadout,     // the byte as a hex readout: "0x10"
    AutoMuteDelay,  // bits 3..0: "5 ms"
    AbdDelay,       // bits 4..0: "11 DCLK cycle"
    ErrMuteDelay,   // "Err Recovery 15 TC Clocks, AutoMute 5 ms": bits 7..4, bits 3..0
    QK330Volume,    // word: "0.00 dB"
    QK330DcOffset,  // word: "0.0000%"
    PadcOffset,     // word: "0.0000%"
    SeOffset,       // four bytes: "0.503967285156250000000000000000"
};

constexpr const char* kNotUsed = "Not Used";

// What the level of a status bit says about the chip.
enum class BitSense {
    Information,     // neither good nor bad (and every bit outside the status registers)
    FaultWhenSet,    // 1 reports a fault, 0 is good
    FaultWhenClear,  // 0 reports a fault, 1 is good ("No Errors", "No Clip")
};

// One register byte of a family. A value that spans several sub-addresses (a word, the SE offset)
// is described on its first byte (`width` bytes, high byte first); the following bytes have
// width 0 and the same name.
struct RegisterInfo {
    uint8_t subAddress;
    const char* name;  // as its window shows it: "Sys Control 1", "Ch1 Volume"
    RegisterAccess access;
    uint8_t powerOn;
    // The bit boxes' captions, bit 7 first; all null for a register without bit boxes. Adjacent
    // bits of the same caption form one field.
    std::array<const char*, 8> bitCaptions{};
    Conversion conversion = Conversion::None;
    int width = 1;
    // Bits that start an action (a reset, a clear) when written 1 (`actionBits`) or when
    // written 0 (`actionLowBits`): a restore writes them in their inactive state.
    uint8_t actionBits = 0;
    uint8_t actionLowBits = 0;
    // A value that changes by itself (status): left out of a compare unless asked for.
    bool volatileValue = false;
    // A status register's bits, bit 7 first: what each level says, and for a fault bit the fault
    // its bad level reports ("clipping in the last 10 ms").
    std::array<BitSense, 8> bitSenses{};
    std::array<const char*, 8> bitFaults{};
};

// A bit field: bits lastBit..firstBit (lastBit the most significant).
struct RegisterField {
    const char* name;
    int lastBit;
    int firstBit;
    uint8_t Value(uint8_t byte) const {
        return static_cast<uint8_t>((byte >> firstBit) & ((1u << (lastBit - firstBit + 1)) - 1));
    }
};

struct RegisterMap {
    ChipFamily family;
    const char* familyName;                   // "QK310/QK320/QK350"
    std::span<const RegisterInfo> registers;  // in address order
    uint8_t muteRegister;                     // the channel unmute bits
    uint8_t channelMuteBits;                  // bit n-1 lets channel n play

    const RegisterInfo* Find(uint8_t subAddress) const;
    // The register whose value a byte belongs to (its first byte for a word).
    const RegisterInfo& FirstByteOf(const RegisterInfo& info) const;
    // Sub-addresses of a register's bytes, first byte first.
    std::vector<uint8_t> BytesOf(const RegisterInfo& info) const;
};

// The power-on values of a family's table, in address order (the register images' entry order).
template <size_t N>
constexpr std::array<uint8_t, N> PowerOnValues(const RegisterInfo (&registers)[N]) {
    std::array<uint8_t, N> values{};
    for (size_t i = 0; i < N; ++i) values[i] = registers[i].powerOn;
    return values;
}

}  // namespace qk
