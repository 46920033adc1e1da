#include "core/chips/QK330VolumeCode.h"

#include <cmath>

#include "core/chips/DecimalText.h"
#include "core/chips/InvalidCode.h"

namespace qk {

namespace {

constexpr int GainFractionBits = 25;
constexpr int StepsPerDoubling = 48;
// Below this code the gain is the code itself: the smallest steps of 2^-25.
constexpr int FirstExponentialCode = 64;
constexpr int WordHexDigits = 4;

}  // namespace

int64_t QK330LinearGain(int code) {
    if (code <= QK330MuteVolumeCode || code > QK330LoudestVolumeCode) return 0;
    if (code < FirstExponentialCode) return code;
    const double exponent =
        GainFractionBits + double(code - QK330ZeroDbVolumeCode) / StepsPerDoubling;
    return static_cast<int64_t>(std::floor(std::exp2(exponent)));
}

std::string QK330VolumeCodeText(int code) {
    if (code <= QK330MuteVolumeCode) return "Mute";
    // A word the chip returns may hold any value; only the table's codes have a gain.
    if (code > QK330LoudestVolumeCode)
        return InvalidCodeText(static_cast<unsigned>(code), WordHexDigits);
    const double dB =
        20.0 * std::log10(double(QK330LinearGain(code)) / std::exp2(GainFractionBits));
    // Hundredths of a dB, rounded to nearest.
    return ScaledDecimalText(std::llround(dB * 100.0), 2) + " dB";
}

}  // namespace qk
