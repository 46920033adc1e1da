#include <gtest/gtest.h>

#include "core/chips/QK310VolumeCode.h"

namespace qk::test {
namespace {

struct CodeCase {
    int code;
    const char* text;
};

class QK310VolumeCodeTexts : public ::testing::TestWithParam<CodeCase> {};

TEST_P(QK310VolumeCodeTexts, ReadAsTheReadoutShowsThem) {
    EXPECT_EQ(QK310VolumeCodeText(GetParam().code), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(HalfDecibelSteps, QK310VolumeCodeTexts,
                         ::testing::Values(CodeCase{249, "24.0 dB"}, CodeCase{248, "23.5 dB"},
                                           CodeCase{202, "0.5 dB"}, CodeCase{201, "0.0 dB"},
                                           CodeCase{200, "-0.5 dB"}, CodeCase{199, "-1.0 dB"},
                                           CodeCase{34, "-83.5 dB"}, CodeCase{33, "-84.0 dB"}));

INSTANTIATE_TEST_SUITE_P(LowCodeTable, QK310VolumeCodeTexts,
                         ::testing::Values(CodeCase{32, "-84.6 dB"}, CodeCase{29, "-86.1 dB"},
                                           CodeCase{23, "-89.3 dB"}, CodeCase{14, "-95.3 dB"},
                                           CodeCase{10, "-100.4 dB"}, CodeCase{7, "-108.4 dB"},
                                           CodeCase{6, "-114.4 dB"}));

INSTANTIATE_TEST_SUITE_P(Mute, QK310VolumeCodeTexts,
                         ::testing::Values(CodeCase{5, "MUTE"}, CodeCase{0, "MUTE"},
                                           CodeCase{-1, "MUTE"}, CodeCase{-300, "MUTE"}));

// The register is a byte: the values above the loudest code have no gain.
INSTANTIATE_TEST_SUITE_P(BeyondTheTable, QK310VolumeCodeTexts,
                         ::testing::Values(CodeCase{250, "invalid code FAh"},
                                           CodeCase{255, "invalid code FFh"}));

}  // namespace
}  // namespace qk::test
