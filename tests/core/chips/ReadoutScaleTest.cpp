// Where a scale mark belongs on a slider whose readout steps unevenly.
#include <gtest/gtest.h>

#include "core/chips/QK310VolumeCode.h"
#include "core/chips/ReadoutScale.h"

namespace qk {
namespace {

// The first generation's master slider: position p reads code 249 - p.
std::string MasterReadout(int position) {
    return QK310VolumeCodeText(249 - position);
}

TEST(ReadoutScale, MarksGoToTheNearestReadout) {
    const struct {
        const char* mark;
        std::optional<int> position;
    } cases[] = {
        {"+24.0", 0},    {"-30.0", 108},  // 0.5 dB steps
        {"-90.0", 227},                   // nearest of -89.8 and -90.3
        {"-114.0", 243},                  // -114.4, the quietest before MUTE
        {"MUTE", 244},   {"mute", 244},   // the first position that reads it
        {"-200", 243},   {"OFF", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ScaleMarkPosition(c.mark, 0, 249, MasterReadout), c.position) << c.mark;
}

}  // namespace
}  // namespace qk
