#pragma once
#include <cstdio>
#include <string>

namespace qk {

// A register value that its conversion has no entry for, in the register's own width: "invalid
// code 0AEFh" for a word, "invalid code FAh" for a byte. A chip may return any value; its readout
// says so rather than showing a gain or an offset the chip cannot have.
inline std::string InvalidCodeText(unsigned value, int hexDigits) {
    char text[32];
    std::snprintf(text, sizeof text, "invalid code %0*Xh", hexDigits, value);
    return text;
}

}  // namespace qk
