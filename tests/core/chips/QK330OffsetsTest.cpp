// Offset register values and the texts of the second generation's offset windows.
#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "core/chips/QK330Offsets.h"

namespace qk {
namespace {

struct SliderCase {
    int position;
    uint16_t value;
    const char* percent;
};

TEST(QK330Offsets, DcOffsetIsThe13BitSignedOffset) {
    const SliderCase cases[] = {
        {.position = 0, .value = 0x0FFF, .percent = "6.2500%"},
        {.position = 4094, .value = 0x0001, .percent = "0.0015%"},
        {.position = 4095, .value = 0x0000, .percent = "0.0000%"},
        {.position = 4096, .value = 0x1FFF, .percent = "-0.0015%"},
        {.position = 8191, .value = 0x1000, .percent = "-6.2515%"},
    };
    for (const SliderCase& c : cases) {
        EXPECT_EQ(DcOffsetRegisterValue(c.position), c.value) << c.position;
        EXPECT_EQ(DcOffsetPosition(c.value), c.position) << c.position;
        EXPECT_EQ(DcOffsetPercentText(c.position), c.percent) << c.position;
        EXPECT_EQ(DcOffsetValueText(c.value), c.percent) << c.position;
    }
    EXPECT_EQ(DcOffsetPosition(0xFFFF), OffsetSliderMaximum) << "beyond 13 bits: clamped";
    EXPECT_EQ(DcOffsetValueText(0xFFFF), "invalid code FFFFh");
}

TEST(QK330Offsets, PadcOffsetRegisterIsItsReadoutAndComesBackToTheSamePosition) {
    const SliderCase cases[] = {
        {.position = 0, .value = 0x1000, .percent = "6.2515%"},
        {.position = 4095, .value = 0x1FFF, .percent = "0.0015%"},
        {.position = 4096, .value = 0x0000, .percent = "0.0000%"},
        {.position = 8191, .value = 0x0FFF, .percent = "-6.2500%"},
    };
    for (const SliderCase& c : cases) {
        EXPECT_EQ(PadcOffsetRegisterValue(c.position), c.value) << c.position;
        EXPECT_EQ(PadcOffsetPosition(c.value), c.position) << c.position;
        EXPECT_EQ(PadcOffsetPercentText(c.position), c.percent) << c.position;
        EXPECT_EQ(PadcOffsetValueText(c.value), c.percent) << c.position;
    }
    for (int position = 0; position <= OffsetSliderMaximum; ++position)
        ASSERT_EQ(PadcOffsetPosition(PadcOffsetRegisterValue(position)), position);
}

TEST(QK330Offsets, SeOffsetFromBytesInSinglePrecision) {
    const struct {
        SeOffsetBytes bytes;
        const char* text;
    } cases[] = {
        {{0x20, 0x41, 0x00, 0x00}, "0.503967285156250000000000000000"},
        {{0x7F, 0xFF, 0xFF, 0xFF}, "2.000000000000000000000000000000"},
        {{0x80, 0x00, 0x00, 0x00}, "-2.000000000000000000000000000000"},
        {{0x1C, 0x71, 0xC7, 0x1C}, "0.444444447755813598632812500000"},
        {{0x00, 0x00, 0x00, 0x00}, "0.000000000000000000000000000000"},
    };
    for (const auto& c : cases) EXPECT_EQ(SeOffsetFromBytes(c.bytes), c.text);
}

TEST(QK330Offsets, SeOffsetToBytesTakesTheLeadingNumberWithinLimits) {
    const struct {
        const char* text;
        SeOffsetBytes bytes;
    } cases[] = {
        {"0.5", {0x20, 0x00, 0x00, 0x00}},
        {"-0.5", {0xE0, 0x00, 0x00, 0x00}},
        {"3", {0x7F, 0xFF, 0xFF, 0xFF}},
        {"-2", {0x80, 0x00, 0x00, 0x00}},
        {"0.01", {0x00, 0xA3, 0xD7, 0x0A}},
        {"abc", {0x00, 0x00, 0x00, 0x00}},
        {"  +0.5volts", {0x20, 0x00, 0x00, 0x00}},
        {"0.444444447755813598632812500000", {0x1C, 0x71, 0xC7, 0x20}},
        {"nan", {0x00, 0x00, 0x00, 0x00}},  // words are no numeric prefix
        {"-inf", {0x00, 0x00, 0x00, 0x00}},
        {"inf", {0x00, 0x00, 0x00, 0x00}},
        {"+infinity", {0x00, 0x00, 0x00, 0x00}},
        {" -nan", {0x00, 0x00, 0x00, 0x00}},
        {"-.5", {0xE0, 0x00, 0x00, 0x00}},
        {"-", {0x00, 0x00, 0x00, 0x00}},
        {"1e999", {0x7F, 0xFF, 0xFF, 0xFF}},
        {"-1e-999", {0x00, 0x00, 0x00, 0x00}},
        {"", {0x00, 0x00, 0x00, 0x00}},
    };
    for (const auto& c : cases) EXPECT_EQ(SeOffsetToBytes(c.text), c.bytes) << c.text;
}

TEST(QK330Offsets, TextsKeepTheDecimalPointUnderADecimalCommaLocale) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"})
        if (std::setlocale(LC_NUMERIC, name)) break;
    const std::string percent = DcOffsetPercentText(0);
    const SeOffsetBytes half = SeOffsetToBytes("0.5");
    const std::string general = GeneralFloatText(0.25);
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(percent, "6.2500%");
    EXPECT_EQ(half, (SeOffsetBytes{0x20, 0x00, 0x00, 0x00}));
    EXPECT_EQ(general, "0.25");
}

}  // namespace
}  // namespace qk
