#pragma once
#include <cstdint>
#include <string>

namespace qk {

// A first-generation DC offset register (signed, one step is 1.56 % / 127) as its readout shows it:
// "0.000%", "1.560%" for 7Fh, "-1.572%" for 80h; "." whatever the locale.
std::string QK310DcOffsetPercentText(uint8_t value);

}  // namespace qk
