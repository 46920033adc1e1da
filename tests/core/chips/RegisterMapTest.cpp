#include "core/chips/RegisterMap.h"

#include <gtest/gtest.h>

#include "core/chips/QK310RegisterImage.h"
#include "core/chips/QK330RegisterImage.h"

namespace qk {
namespace {

// The maps list the images' entries in entry order, so that the power-on tables come from them.
TEST(RegisterMap, ListsEveryImageEntryInEntryOrder) {
    ASSERT_EQ(QK310Map().registers.size(), size_t(QK310RegisterImage::Entries));
    ASSERT_EQ(QK330Map().registers.size(), size_t(QK330RegisterImage::Entries));
    for (int entry = 0; entry < QK310RegisterImage::Entries; ++entry)
        EXPECT_EQ(QK310Map().registers[entry].subAddress, QK310RegisterImage::SubAddressOf(entry));
    for (int entry = 0; entry < QK330RegisterImage::Entries; ++entry)
        EXPECT_EQ(QK330Map().registers[entry].subAddress, QK330RegisterImage::SubAddressOf(entry));
}

struct DecodeCase {
    ChipFamily family;
    uint8_t sub;
    std::vector<uint8_t> bytes;  // from `sub` on
    const char* text;
};

class Decoding : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(Decoding, ShowsTheValueAsTheWindowsDo) {
    const DecodeCase& c = GetParam();
    const RegisterMap& map = MapOf(c.family);
    const ByteLookup bytes = [&](uint8_t sub) -> std::optional<uint8_t> {
        if (sub < c.sub || sub >= c.sub + c.bytes.size()) return std::nullopt;
        return c.bytes[sub - c.sub];
    };
    EXPECT_EQ(DecodeRegister(*map.Find(c.sub), map, bytes), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Registers, Decoding,
    ::testing::Values(
        DecodeCase{ChipFamily::QK330,
                   0x03,
                   {0x13},
                   "Sys Control 1: Speed Mode=0 SCLK Rate=1 MCLK Enable=0 MCLK Hz=3"},
        DecodeCase{ChipFamily::QK330, 0x26, {0x03, 0xCF}, "Ch1 Volume (26h-27h): 0.00 dB"},
        DecodeCase{ChipFamily::QK330, 0x14, {0x0F, 0xFF}, "Ch1 DC Offset (14h-15h): 6.2500%"},
        DecodeCase{ChipFamily::QK330,
                   0x32,
                   {0x20, 0x41, 0x00, 0x00},
                   "SE OFFSET (32h-35h): 0.503967285156250000000000000000"},
        DecodeCase{ChipFamily::QK330, 0x26, {0x03}, "Ch1 Volume (26h-27h): unreadable"},
        DecodeCase{ChipFamily::QK330, 0x0D, {0x86}, "Mod Index: Not Used=16 Index=6"},
        DecodeCase{ChipFamily::QK330, 0x21, {0x4C}, "Ch2 Delay: 0x4C"},
        DecodeCase{ChipFamily::QK310, 0x13, {0xC9}, "Ch1 Volume: 0.0 dB"},
        DecodeCase{ChipFamily::QK310, 0x06, {0x7F}, "Ch1 DC Offset: 1.560%"},
        DecodeCase{ChipFamily::QK310, 0x05, {0x07}, "AutoMute Delay: 40 ms"},
        DecodeCase{ChipFamily::QK310, 0x12, {0x0B}, "ABD Delay: 11 DCLK cycle"},
        DecodeCase{ChipFamily::QK330,
                   0x13,
                   {0xF9},
                   "ER & MuteDelay: Err Recovery 15 TC Clocks, AutoMute 50 ms"},
        DecodeCase{ChipFamily::QK330,
                   0x13,
                   {0x0C},
                   "ER & MuteDelay: Err Recovery 0 TC Clocks, AutoMute invalid code 0Ch"},
        DecodeCase{ChipFamily::QK310,
                   0x03,
                   {0x7F},
                   "Sys Control 1: 0 Auto Mute=1 0 in mute=1 Normal Mode (D4)=1 SRD 18TC=1 "
                   "Normal Mode (D2)=1 Auto Mute=1 RESET Regs=1"},
        DecodeCase{ChipFamily::QK330,
                   0x04,
                   {0xFF},
                   "Sys Control 2: HP Enable=1 Not Used (D6)=1 Valid LOW=1 Not Used (D4-D3)=3 "
                   "Not SRESET=1 Auto Mute=1 Master Mode=1"}));

TEST(RegisterMap, MarksTheRegisterResetAsAnAction) {
    const RegisterInfo& sysControl1 = *QK310Map().Find(0x03);
    EXPECT_EQ(sysControl1.actionBits, 0x01);
    EXPECT_STREQ(FieldsOf(sysControl1).back().name, "RESET Regs");
}

}  // namespace
}  // namespace qk
