#include <gtest/gtest.h>

#include "core/chips/QK330RegisterImage.h"
#include "tests/support/BusTestSupport.h"

namespace qk::test {
namespace {

using Texts = std::vector<std::string>;

// The image wired to a virtual QK330, with a MUTE ALL switch.
struct ImageRig {
    ImageRig() {
        image.SetWiring({&rig.bus, [] { return uint8_t(0x34); }, [this] { return muted; }});
        image.InitSubAddresses();
    }
    BusRig rig{board::Chip::QK330};
    QK330RegisterImage image;
    bool muted = false;
};

TEST(QK330RegisterImage, MapsEntriesToSubAddresses) {
    QK330RegisterImage image;
    image.InitSubAddresses();
    const uint8_t expected[] = {0x31, 0x32, 0x33, 0x34, 0x35, 0x79};
    for (int entry = 49; entry <= 54; ++entry)
        EXPECT_EQ(image.SubAddressTable[entry], expected[entry - 49]) << entry;
    EXPECT_EQ(image.SubAddressTable[60], 0x7F);
    for (uint8_t sub : {0x36, 0x50, 0x78, 0x80}) EXPECT_EQ(QK330RegisterImage::EntryOf(sub), -1);
    EXPECT_THROW(image.Current(0x40), std::out_of_range);
}

TEST(QK330RegisterImage, StoresWordsHighByteFirst) {
    QK330RegisterImage image;
    const int dcOffset1 = QK330RegisterImage::EntryOf(0x14);
    image.SetImageWord(dcOffset1, 0x1ABC);
    EXPECT_EQ(image.CurrentImage[dcOffset1], 0x1A);
    EXPECT_EQ(image.CurrentImage[dcOffset1 + 1], 0xBC);
    image.SetImageWord(dcOffset1, 0x0080);
    EXPECT_EQ(image.Current(0x14), 0x00);
    EXPECT_EQ(image.Current(0x15), 0x80);
    EXPECT_EQ(image.CurrentWord(0x14), 0x0080);
}

TEST(QK330RegisterImage, MuteAllHoldsBackAllButTheSoftMuteWrite) {
    ImageRig r;
    r.image.StoreAndWrite(0x03, 0x13);
    r.image.StoreAndWriteWord(0x26, 0x03CF);
    r.muted = true;
    r.image.StoreAndWrite(0x03, 0x93);
    r.image.StoreAndWriteWord(0x28, 0x0100);
    r.image.WriteRegisterAlways(0x11, 0x3F);
    EXPECT_EQ(r.rig.board.FrameTexts(), (Texts{"34 03 13", "34 26 03 CF", "34 11 3F"}));
    EXPECT_EQ(r.rig.log.lines,
              (Texts{"{0x34 0x3 0x13 }", "{0x34 0x26 0x3 0xcf }", "{0x34 0x11 0x3f }"}))
        << "a held-back write is not logged either";
    EXPECT_EQ(r.image.Current(0x03), 0x93) << "the image follows even while muted";
    EXPECT_EQ(r.image.CurrentWord(0x28), 0x0100);
    EXPECT_EQ(r.rig.board.Register(0x27), 0xCF);
}

TEST(QK330RegisterImage, ReadsTheChipAndZeroOffLine) {
    ImageRig r;
    EXPECT_EQ(r.image.ReadRegister(0x13), 0xF0);
    EXPECT_EQ(r.image.ReadRegister(0x7A), 0xB0);
    r.rig.bus.SetOffLine(true);
    EXPECT_EQ(r.image.ReadRegister(0x13), 0x00);
}

TEST(QK330RegisterImage, LoadsDefaultsInEntryOrderLeavingEntry2) {
    QK330RegisterImage image;
    std::vector<int> refreshed;
    bool wordsAfterEntries = false;
    image.SetRefresh({[&](int entry) { refreshed.push_back(entry); },
                      [&] { wordsAfterEntries = refreshed.size() == 60; }});
    image.DefaultImage = QK330PowerOnDefaults;
    image.CurrentImage[2] = 0x5A;
    image.LoadImageFromDefaults();

    std::vector<int> expected;
    for (int entry = 0; entry < QK330RegisterImage::Entries; ++entry)
        if (entry != 2) expected.push_back(entry);
    EXPECT_EQ(refreshed, expected);
    EXPECT_TRUE(wordsAfterEntries);
    EXPECT_EQ(image.CurrentImage[2], 0x5A);
    EXPECT_EQ(image.Current(0x21), 0x4C);
    EXPECT_EQ(image.Current(0x79), 0xF2);
}

}  // namespace
}  // namespace qk::test
