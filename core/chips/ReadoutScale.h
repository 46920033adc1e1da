#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace qk {

// Where the marks of a slider's scale belong: at the position whose readout shows the mark's
// value, whatever the spacing of the readout's steps.

// The number a readout or a mark starts with: "-114.4 dB" is -114.4, "+24.0" is 24; none for
// "MUTE".
std::optional<double> LeadingValue(std::string_view text);

// The position first..last whose readout is nearest to the mark's value (the first of equals). A
// mark without a number ("MUTE") belongs at the first position whose readout is that same word in
// any case. None when no readout qualifies.
std::optional<int> ScaleMarkPosition(std::string_view mark, int first, int last,
                                     const std::function<std::string(int position)>& readout);

}  // namespace qk
