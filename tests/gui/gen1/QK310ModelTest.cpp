#include <QCheckBox>
#include <QComboBox>
#include <QSignalBlocker>
#include <cstdio>

#include "gui/app/Okapimain.h"
#include "gui/gen1/QK310unit.h"
#include "gui/gen1/QK320unit.h"
#include "gui/gen1/Registersunit.h"
#include "gui/gen1/Testregunit.h"
#include "tests/gui/ProgramFixture.h"
#include "tests/gui/RegisterBoxesSupport.h"

namespace qk::test {
namespace {

using Texts = std::vector<std::string>;

class QK310Model : public ProgramTest {
  protected:
    static QK310RegisterImage& Image() { return TheSession().FirstGenerationImage(); }
    static uint8_t Shows(uint8_t reg) { return Shown(RegistersForm->Group(reg)); }
    static bool AbdGroupShown() { return !Child(RegistersForm, "Reg12GroupBox")->isHidden(); }
    static QString ListText(const char* list) {
        return Child<QComboBox>(RegistersForm, list)->currentText();
    }
};

TEST_F(QK310Model, CaptureReadsThe29RegistersInEntryOrderIntoTheDefaultImage) {
    board.SetRegister(0x19, 0x2A);
    board.SetRegister(0x0C, 0x77);
    QK310Form->InitSubAddresses();
    QK310Form->CaptureDefaultImage();

    Texts expected;
    for (int sub :
         {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E,
          0x0F, 0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1D, 0x1E, 0x1F}) {
        char frame[8];
        std::snprintf(frame, sizeof frame, "34 %02X", sub);
        expected.push_back(frame);
        std::snprintf(frame, sizeof frame, "35 %02X", board.Register(uint8_t(sub)));
        expected.push_back(frame);
    }
    EXPECT_EQ(board.FrameTexts(), expected) << "reads only: nothing is written";
    EXPECT_EQ(Image().DefaultImage[0], 0x27);
    EXPECT_EQ(Image().DefaultImage[12], 0x77);
    EXPECT_EQ(Image().DefaultImage[25], 0x2A);
    EXPECT_EQ(Image().DefaultImage[26], 0x33);
    EXPECT_EQ(Image().CurrentImage, decltype(Image().CurrentImage){}) << "nothing is shown";
    EXPECT_EQ(Shows(0x19), 0x3F);
}

TEST_F(QK310Model, CaptureOffLineFillsTheDefaultImageWithZeros) {
    Image().DefaultImage = QK310PowerOnDefaults;
    Bus().SetOffLine(true);
    QK320Form->InitSubAddresses();
    QK320Form->CaptureDefaultImage();
    EXPECT_EQ(Image().DefaultImage, decltype(Image().DefaultImage){});
    EXPECT_TRUE(board.FrameTexts().empty());
}

// After activation the six channel volumes (entries 19..24) hold code C9h: 0.0 dB, master at 48.
std::array<uint8_t, QK310RegisterImage::Entries> WithChannelVolumesAtZeroDb(
    std::array<uint8_t, QK310RegisterImage::Entries> image) {
    for (int entry = 19; entry <= 24; ++entry) image[entry] = 0xC9;
    return image;
}

TEST_F(QK310Model, ActivationRestoresTheCapturedImageIntoTheWindows) {
    board.SetRegister(0x19, 0x2A);
    board.SetRegister(0x05, 0x07);
    board.SetRegister(0x12, 0x03);
    board.SetRegister(0x1E, 0x81);
    QK310Form->InitSubAddresses();
    QK310Form->CaptureDefaultImage();
    board.SetRegister(0x19, 0x3F);  // what the chip holds later does not matter
    board.ClearFrames();

    QK310Form->ActivateChipModel();
    EXPECT_EQ(Image().CurrentImage, WithChannelVolumesAtZeroDb(Image().DefaultImage));
    EXPECT_EQ(Shows(0x00), 0x27);
    EXPECT_EQ(Shows(0x19), 0x2A);
    EXPECT_EQ(Shows(0x05), 0x07);
    EXPECT_EQ(ListText("AutoMuteDelayComboBox"), "40 ms");
    EXPECT_EQ(ListText("ABDdelayComboBox"), "3   DCLK cycle");
    EXPECT_EQ(Shown(TestRegForm->Group(0x1D)), 0x33);
    EXPECT_EQ(Shown(TestRegForm->Group(0x1E)), 0x81);
    EXPECT_EQ(Shown(TestRegForm->Group(0x1F)), 0x00);
    for (const std::string& frame : board.FrameTexts())
        EXPECT_NE(frame.rfind("34 19 ", 0), 0u) << "the mute register is only shown: " << frame;
}

TEST_F(QK310Model, ActivationAfterPowerOnDefaultsShowsTheChipsTable) {
    QK320Form->LoadPowerOnDefaults();
    QK320Form->ActivateChipModel();
    EXPECT_EQ(Image().SubAddressTable[26], 0x1D) << "sub-addresses are set up first";
    EXPECT_EQ(Shows(0x00), 0x36);
    EXPECT_EQ(Shows(0x02), 0x05);
    EXPECT_EQ(Shows(0x03), 0x7E);
    EXPECT_EQ(Shows(0x04), 0xFF);
    EXPECT_EQ(Shows(0x12), 0x0B);
    EXPECT_EQ(ListText("ABDdelayComboBox"), "11 DCLK cycle");
    EXPECT_EQ(ListText("AutoMuteDelayComboBox"), "5 ms");

    QK310Form->LoadPowerOnDefaults();
    QK310Form->ActivateChipModel();
    EXPECT_EQ(Shows(0x00), 0x26);
}

TEST_F(QK310Model, QK320ActivationShowsTheAbdGroupAndQK310ActivationHidesIt) {
    QK310Form->LoadPowerOnDefaults();
    QK310Form->ActivateChipModel();
    EXPECT_FALSE(AbdGroupShown());
    EXPECT_EQ(Shows(0x12), 0x0B) << "restored although hidden";

    QK320Form->ActivateChipModel();
    EXPECT_TRUE(AbdGroupShown());
    QK320Form->ActivateChipModel();
    EXPECT_TRUE(AbdGroupShown());

    QK310Form->ActivateChipModel();
    EXPECT_FALSE(AbdGroupShown());
}

TEST_F(QK310Model, ActivationWritesNothingOfItsOwnWhileMuteAllIsEngaged) {
    EngageQK310MuteAll();
    QK310Form->LoadPowerOnDefaults();
    QK310Form->ActivateChipModel();
    EXPECT_TRUE(board.FrameTexts().empty());
    EXPECT_EQ(Image().CurrentImage, WithChannelVolumesAtZeroDb(QK310PowerOnDefaults));
}

// The main window's channel box n.
QCheckBox* ChannelBox(int channel) {
    return OkapiForm->VolumeCheckBox(channel);
}

struct EnableCase {
    int channel;
    bool channelChecked;
    bool muteAll;
    bool unmuteBefore;
    bool unmuteAfter;
};

class ChannelEnable : public QK310Model, public ::testing::WithParamInterface<EnableCase> {};

TEST_P(ChannelEnable, FollowsTheChannelBox) {
    const EnableCase& c = GetParam();
    if (c.muteAll) EngageQK310MuteAll();
    const BitBoxes unmute = RegistersForm->Group(0x19);
    for (int n = 1; n <= 6; ++n) {
        QSignalBlocker quiet(ChannelBox(n));  // the state only; the click is the main window's
        ChannelBox(n)->setChecked(true);
    }
    unmute[c.channel - 1]->setChecked(c.unmuteBefore);
    const uint8_t others = Shown(unmute) & ~(1u << (c.channel - 1));
    {
        QSignalBlocker quiet(ChannelBox(c.channel));
        ChannelBox(c.channel)->setChecked(c.channelChecked);
    }

    QK310Form->ApplyChannelEnable(c.channel);
    EXPECT_EQ(unmute[c.channel - 1]->isChecked(), c.unmuteAfter);
    EXPECT_EQ(unmute[c.channel - 1]->isEnabled(), c.channelChecked);
    EXPECT_EQ(Shown(unmute) & ~(1u << (c.channel - 1)), others) << "other channels untouched";
    EXPECT_TRUE(board.FrameTexts().empty()) << "the caller writes 19h";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChannelEnable,
    ::testing::Values(
        // channel, box checked, MUTE ALL, unmute box before, unmute box after
        EnableCase{1, true, false, false, true}, EnableCase{6, true, false, true, true},
        EnableCase{3, false, false, true, false}, EnableCase{2, false, true, true, false},
        EnableCase{4, true, true, false, false}, EnableCase{5, true, true, true, true}));

TEST_F(QK310Model, AChannelReEnabledUnderMuteAllStaysMutedUntilApplied) {
    // The main window's sequence for a channel box click, run by hand.
    EngageQK310MuteAll();
    QSignalBlocker quiet(ChannelBox(2));
    ChannelBox(2)->setChecked(false);
    QK310Form->ApplyChannelEnable(2);
    RegistersForm->Reg19ButtonClick();
    ChannelBox(2)->setChecked(true);
    QK320Form->ApplyChannelEnable(2);
    RegistersForm->Reg19ButtonClick();
    EXPECT_EQ(board.FrameTexts(), (Texts{"34 19 3D", "34 19 3D"}));
    EXPECT_TRUE(RegistersForm->Group(0x19)[1]->isEnabled());
}

}  // namespace
}  // namespace qk::test
