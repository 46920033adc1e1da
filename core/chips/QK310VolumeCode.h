#pragma once
#include <string>

namespace qk {

// Readout text of a first-generation volume code: 249 reads "24.0 dB", 201 "0.0 dB", 0.5 dB a step
// down to 33 ("-84.0 dB"), a fixed table for 32..6, "MUTE" at 5 and below (negative codes too);
// a code above 249 reads "invalid code FAh".
std::string QK310VolumeCodeText(int code);

}  // namespace qk
