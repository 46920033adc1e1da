#include "core/chips/QK310Offsets.h"

#include <charconv>

namespace qk {

namespace {
constexpr double kPercentPerStep = 0.012283464566929135;
}

std::string QK310DcOffsetPercentText(uint8_t value) {
    char text[32];
    const auto result =
        std::to_chars(text, text + sizeof text, static_cast<int8_t>(value) * kPercentPerStep,
                      std::chars_format::fixed, 3);
    return std::string(text, result.ptr) + "%";
}

}  // namespace qk
