#include "core/chips/QK310Offsets.h"

#include "core/chips/DecimalText.h"

namespace qk {

namespace {
constexpr double kPercentPerStep = 0.012283464566929135;
}

std::string QK310DcOffsetPercentText(uint8_t value) {
    return FixedDecimalText(static_cast<int8_t>(value) * kPercentPerStep, 3) + "%";
}

}  // namespace qk
