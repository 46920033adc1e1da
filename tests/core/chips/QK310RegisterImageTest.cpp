#include <gtest/gtest.h>

#include <stdexcept>

#include "core/chips/QK310RegisterImage.h"
#include "tests/support/BusTestSupport.h"

namespace qk::test {
namespace {

using Texts = std::vector<std::string>;

// A register image on a bus master wired to a virtual board, with the main window's two values
// and the refreshes recorded.
struct ImageRig : BusRig {
    explicit ImageRig(uint8_t boardAddress = 0x34) : BusRig(board::Chip::QK310, boardAddress) {
        image.SetWiring({&bus, [this] { return deviceAddress; }, [this] { return muteAll; }});
        image.SetRefresh([this](int entry) { refreshed.push_back(entry); });
    }
    QK310RegisterImage image;
    uint8_t deviceAddress = 0x34;
    bool muteAll = false;
    std::vector<int> refreshed;
};

TEST(QK310RegisterImage, WriteRegisterSendsOneFrameToTheDeviceAddress) {
    ImageRig rig(0x36);
    rig.deviceAddress = 0x36;
    rig.image.WriteRegister(0x13, 0xC9);
    EXPECT_EQ(rig.board.FrameTexts(), Texts{"36 13 C9"});
    EXPECT_EQ(rig.log.lines, Texts{"{0x36 0x13 0xc9 }"});
    EXPECT_EQ(rig.board.Register(0x13), 0xC9);
}

TEST(QK310RegisterImage, ReadsTheDeviceAddressAtEveryTransfer) {
    ImageRig rig;
    rig.image.WriteRegister(0x02, 0x05);
    rig.deviceAddress = 0x36;
    rig.image.WriteRegister(0x02, 0x06);
    EXPECT_EQ(rig.log.lines, (Texts{"{0x34 0x2 0x5 }", "{0x36 0x2 0x6 }"}));
}

TEST(QK310RegisterImage, MuteAllSuppressesWriteRegisterButNotWriteRegisterAlways) {
    ImageRig rig;
    rig.muteAll = true;
    rig.image.WriteRegister(0x13, 0xC9);
    EXPECT_TRUE(rig.board.FrameTexts().empty());
    EXPECT_TRUE(rig.log.lines.empty()) << "a suppressed write is not logged either";

    rig.image.WriteRegisterAlways(0x19, 0x3E);
    EXPECT_EQ(rig.board.FrameTexts(), Texts{"34 19 3E"});
    EXPECT_EQ(rig.board.Register(0x19), 0x3E);
}

TEST(QK310RegisterImage, StoreAndWriteStoresFirstEvenWhenMuteAllSuppressesTheFrame) {
    const struct {
        bool muteAll;
        bool always;
        Texts frames;
    } cases[] = {
        {.muteAll = false, .always = false, .frames = {"34 19 3E"}},
        {.muteAll = true, .always = false, .frames = {}},
        {.muteAll = true, .always = true, .frames = {"34 19 3E"}},
    };
    for (const auto& c : cases) {
        ImageRig rig;
        rig.muteAll = c.muteAll;
        const uint8_t stored = c.always ? rig.image.StoreAndWriteAlways(0x19, 0x3E)
                                        : rig.image.StoreAndWrite(0x19, 0x3E);
        EXPECT_EQ(stored, 0x3E);
        EXPECT_EQ(rig.image.Current(0x19), 0x3E) << "image first, whatever reaches the wire";
        EXPECT_EQ(rig.board.FrameTexts(), c.frames) << c.muteAll << c.always;
    }
}

TEST(QK310RegisterImage, ReadAndStoreKeepsTheChipsByteInTheImage) {
    ImageRig rig;
    rig.board.SetRegister(0x1D, 0x21);
    EXPECT_EQ(rig.image.ReadAndStore(0x1D), 0x21);
    EXPECT_EQ(rig.image.CurrentImage[26], 0x21);
}

TEST(QK310RegisterImage, ReadRegisterReturnsTheChipsByte) {
    ImageRig rig;
    rig.board.SetRegister(0x05, 0x07);
    EXPECT_EQ(rig.image.ReadRegister(0x05), 0x07);
    EXPECT_EQ(rig.board.FrameTexts(), (Texts{"34 05", "35 07"}));
}

TEST(QK310RegisterImage, ReadRegisterOffLineReturnsZero) {
    ImageRig rig;
    rig.board.SetRegister(0x05, 0x07);
    rig.bus.SetOffLine(true);
    EXPECT_EQ(rig.image.ReadRegister(0x05), 0x00);
    EXPECT_TRUE(rig.board.FrameTexts().empty());
    EXPECT_EQ(rig.log.lines, Texts{"{0x34 0x5 }"});
}

TEST(QK310RegisterImage, SubAddressesRunTo19hThen1DhTo1Fh) {
    QK310RegisterImage image;
    EXPECT_EQ(image.SubAddressTable, decltype(image.SubAddressTable){}) << "zeros until filled";
    image.InitSubAddresses();
    for (int entry = 0; entry <= 25; ++entry) EXPECT_EQ(image.SubAddressTable[entry], entry);
    EXPECT_EQ(image.SubAddressTable[26], 0x1D);
    EXPECT_EQ(image.SubAddressTable[27], 0x1E);
    EXPECT_EQ(image.SubAddressTable[28], 0x1F);
    for (int entry = 0; entry < QK310RegisterImage::Entries; ++entry)
        EXPECT_EQ(QK310RegisterImage::EntryOf(image.SubAddressTable[entry]), entry);
}

TEST(QK310RegisterImage, CurrentOfASubAddressIsItsEntry) {
    QK310RegisterImage image;
    image.Current(0x12) = 0x0B;
    image.Current(0x1E) = 0x81;
    EXPECT_EQ(image.CurrentImage[18], 0x0B);
    EXPECT_EQ(image.CurrentImage[27], 0x81);
    for (uint8_t unused : {0x1A, 0x1B, 0x1C, 0x20}) {
        EXPECT_EQ(QK310RegisterImage::EntryOf(unused), -1);
        EXPECT_THROW(image.Current(unused), std::out_of_range);
    }
}

TEST(QK310RegisterImage, RestoreRegisterCopiesOneEntryAndRefreshesIt) {
    ImageRig rig;
    rig.image.DefaultImage = QK310PowerOnDefaults;
    rig.image.RestoreRegister(3);
    EXPECT_EQ(rig.image.CurrentImage[3], 0x7E);
    EXPECT_EQ(rig.image.CurrentImage[2], 0x00);
    EXPECT_EQ(rig.refreshed, std::vector<int>{3});
    EXPECT_TRUE(rig.board.FrameTexts().empty()) << "the refresh, not the restore, writes";
}

TEST(QK310RegisterImage, LoadImageFromDefaultsRestoresEntry0To28InOrder) {
    ImageRig rig;
    rig.image.DefaultImage = QK320PowerOnDefaults;
    rig.image.CurrentImage.fill(0xAA);          // no default has this value
    std::vector<std::pair<int, uint8_t>> seen;  // entry and its CurrentImage when refreshed
    rig.image.SetRefresh([&](int entry) {
        seen.emplace_back(entry, rig.image.CurrentImage[entry]);
        if (entry + 1 < QK310RegisterImage::Entries) {
            EXPECT_EQ(rig.image.CurrentImage[entry + 1], 0xAA)
                << "entry " << entry + 1 << " is restored after " << entry;
        }
    });
    rig.image.LoadImageFromDefaults();
    ASSERT_EQ(seen.size(), size_t(QK310RegisterImage::Entries));
    for (int entry = 0; entry < QK310RegisterImage::Entries; ++entry) {
        EXPECT_EQ(seen[entry].first, entry);
        EXPECT_EQ(seen[entry].second, QK320PowerOnDefaults[entry]);
    }
    EXPECT_EQ(rig.image.CurrentImage, QK320PowerOnDefaults);
}

}  // namespace
}  // namespace qk::test
