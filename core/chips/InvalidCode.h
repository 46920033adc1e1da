#pragma once
#include <cstdio>
#include <string>
#include <string_view>

namespace qk {

// A register value that its conversion has no entry for, in the register's own width: "invalid
// code 0AEFh" for a word, "invalid code FAh" for a byte. A chip may return any value; its readout
// says so rather than showing a gain or an offset the chip cannot have.
inline constexpr std::string_view InvalidCodePrefix = "invalid code ";
inline std::string InvalidCodeText(unsigned value, int hexDigits) {
    char text[32];
    std::snprintf(text, sizeof text, "invalid code %0*Xh", hexDigits, value);
    return text;
}
inline bool IsInvalidCodeText(std::string_view text) {
    return text.starts_with(InvalidCodePrefix);
}

// What a readout too narrow for the whole text shows, beside a hex readout of the value.
inline constexpr const char* InvalidCodeReadout = "invalid";

}  // namespace qk
