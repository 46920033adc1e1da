#include "core/chips/QK310VolumeCode.h"

#include "core/chips/ChipFacts.h"
#include "core/chips/DecimalText.h"
#include "core/chips/InvalidCode.h"

namespace qk {

namespace {

constexpr int kByteHexDigits = 2;

// Codes 6..32, below the 0.5 dB steps.
constexpr const char* kLowCodeTexts[] = {
    "-114.4 dB", "-108.4 dB", "-104.8 dB", "-102.3 dB", "-100.4 dB", "-98.8 dB", "-97.5 dB",
    "-96.3 dB",  "-95.3 dB",  "-94.4 dB",  "-93.6 dB",  "-92.8 dB",  "-92.1 dB", "-91.5 dB",
    "-90.9 dB",  "-90.3 dB",  "-89.8 dB",  "-89.3 dB",  "-88.8 dB",  "-88.4 dB", "-87.6 dB",
    "-87.2 dB",  "-86.8 dB",  "-86.1 dB",  "-85.8 dB",  "-85.2 dB",  "-84.6 dB",
};

}  // namespace

std::string QK310VolumeCodeText(int code) {
    if (code <= 5) return "MUTE";
    if (code <= 32) return kLowCodeTexts[code - 6];
    // The register holds a byte; no code beyond the loudest has a gain.
    if (code > QK310LoudestVolumeCode)
        return InvalidCodeText(static_cast<unsigned>(code), kByteHexDigits);
    // Whole half-decibels, counted in tenths so that the text is exact.
    const int tenths = code * 5 - 1005;  // (code x 0.5 - 100.5) in tenths of a dB
    return ScaledDecimalText(tenths, 1) + " dB";
}

}  // namespace qk
