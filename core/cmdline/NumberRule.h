#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The one rule for numbers that the programs' command lines, qk3xx-cli's scripts and the virtual
// board's faults follow. Registers, byte values and addresses are hexadecimal, as a register
// listing shows them: "0x26" or "26h", in either case. A bare number is one of 0..9 ("7", "07"),
// the same in both readings; "26" alone is refused, naming both readings, since a register
// listing's "26" is 26h while a calculator's is 1Ah. Counts, milliseconds and bus numbers are
// decimal. Files keep their own formats (a snapshot's "hh: hh", the data log's frames).
namespace qk::cmdline {

// What a hexadecimal number names, for its refusal: "register", "value", "mask", "address".
struct HexKind {
    const char* noun;
    uint32_t maximum = 0xFF;
};
inline constexpr HexKind kRegisterNumber{.noun = "register"};
inline constexpr HexKind kValueNumber{.noun = "value"};
inline constexpr HexKind kMaskNumber{.noun = "mask"};
inline constexpr HexKind kAddressNumber{.noun = "address"};

// A number read, or why it was not (the text quoted first: "'26': write 0x26 for ...").
struct ReadNumber {
    std::optional<uint32_t> value;
    std::string error;
};

// A register, value or address as the rule writes it.
ReadNumber ReadHex(std::string_view text, HexKind kind);
// A count, a time or a bus number: decimal digits only, at most `maximum`.
std::optional<uint32_t> ReadDecimal(std::string_view text, uint32_t maximum);

// The rule in two lines, as every help text states it once.
extern const char kNumberRuleText[];

// "0x1a": a number as the rule writes it (two lower-case digits at least).
std::string HexText(uint32_t value);

// "--i2c-dev 1" names /dev/i2c-1, as the i2c-tools take a bus number; any other text is a path.
std::string I2cDevicePath(const std::string& value);

}  // namespace qk::cmdline
