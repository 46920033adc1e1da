#include <gtest/gtest.h>

#include "core/chips/QK330VolumeCode.h"

namespace qk::test {
namespace {

struct CodeCase {
    int code;
    const char* text;
};

class QK330VolumeCodeTexts : public ::testing::TestWithParam<CodeCase> {};

TEST_P(QK330VolumeCodeTexts, ReadAsTheReadoutShowsThem) {
    EXPECT_EQ(QK330VolumeCodeText(GetParam().code), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Table, QK330VolumeCodeTexts,
                         ::testing::Values(CodeCase{1262, "36.00 dB"}, CodeCase{1261, "35.87 dB"},
                                           CodeCase{1254, "34.99 dB"}, CodeCase{987, "1.51 dB"},
                                           CodeCase{976, "0.13 dB"}, CodeCase{975, "0.00 dB"},
                                           CodeCase{974, "-0.13 dB"}, CodeCase{742, "-29.22 dB"},
                                           CodeCase{688, "-36.00 dB"}, CodeCase{287, "-86.30 dB"},
                                           CodeCase{74, "-113.01 dB"}, CodeCase{73, "-113.25 dB"},
                                           CodeCase{64, "-114.39 dB"}, CodeCase{63, "-114.53 dB"},
                                           CodeCase{2, "-144.49 dB"}, CodeCase{1, "-150.51 dB"},
                                           CodeCase{0, "Mute"}, CodeCase{-1, "Mute"},
                                           CodeCase{-975, "Mute"},
                                           CodeCase{1263, "invalid code 04EFh"},
                                           CodeCase{0x0AEF, "invalid code 0AEFh"},
                                           CodeCase{0xFFFF, "invalid code FFFFh"}));

// Both gain rules agree from 64 to 73; 74 is the first code whose gain differs from the code. A
// value beyond the table has no gain.
TEST(QK330LinearGain, JoinsTheTwoRulesWhereTheyAgree) {
    for (int code = 64; code <= 73; ++code) EXPECT_EQ(QK330LinearGain(code), code) << code;
    EXPECT_EQ(QK330LinearGain(74), 75);
    EXPECT_EQ(QK330LinearGain(975), int64_t(1) << 25);
    EXPECT_EQ(QK330LinearGain(975 + 48 * 5), int64_t(1) << 30);
    for (int code : {0, 1263, 0x0AEF, 0xFFFF}) EXPECT_EQ(QK330LinearGain(code), 0) << code;
}

}  // namespace
}  // namespace qk::test
