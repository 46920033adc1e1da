#include <QApplication>

#include "tests/gui/QK330Fixture.h"

namespace qk::test {
namespace {

// The QK330 register editor, open on a selected QK330.
class QK330Editor : public QK330Test {
  protected:
    void SetUp() override {
        QK330Test::SetUp();
        Click(OkapiForm, "QK330RegistersBitBtn");
    }
    static void Press(const char* button) { Click(QK330RegForm, button); }
    void EngageMuteAll() {
        Click(OkapiForm, "QK330MuteAllBitBtn");
        ASSERT_TRUE(TheSession().MuteAllEngaged(ChipGeneration::QK330));
        board.ClearFrames();
    }
};

TEST_F(QK330Editor, SelectionShowsThePowerOnDefaults) {
    const std::pair<uint8_t, uint8_t> defaults[] = {{0x03, 0x13}, {0x04, 0xA6}, {0x05, 0x01},
                                                    {0x0C, 0x60}, {0x0D, 0x06}, {0x0E, 0x05},
                                                    {0x11, 0x3F}, {0x12, 0x3F}, {0x13, 0xF0}};
    for (auto [reg, value] : defaults) {
        EXPECT_EQ(Shows(reg), value) << int(reg);
        EXPECT_EQ(Stored(reg), value) << int(reg);
    }
}

TEST_F(QK330Editor, ZeroSends80hAndLeavesOnlyNoClip) {
    ClickBox(Box(0x03, 0));  // an unrelated edit stays unsent
    Box(0x01, 3)->setChecked(true);
    Press("Reg01SendButton");
    EXPECT_EQ(board.FrameTexts(), Texts{"34 01 80"});
    EXPECT_EQ(Shows(0x01), 0x80);
    EXPECT_EQ(Stored(0x01), 0x80);
}

// Registers with a setup window are written by the Apply and once more by the window's reload.
TEST_F(QK330Editor, ApplySendsOnceWithoutSetupWindowTwiceWithOne) {
    const std::pair<const char*, Texts> cases[] = {
        {"Reg0CSendButton", {"34 0C 60"}},
        {"Reg12Button", {"34 12 3F"}},
        {"Reg03SendButton", {"34 03 13", "34 03 13"}},
        {"Reg13SendButton", {"34 13 F0", "34 13 F0"}},
    };
    for (const auto& [button, frames] : cases) {
        Press(button);
        EXPECT_EQ(board.FrameTexts(), frames) << button;
        board.ClearFrames();
    }
}

TEST_F(QK330Editor, AppliedBoxesReachTheSetupWindow) {
    ClickBox(Box(0x0D, 0));  // 07h
    Press("Reg0DSendButton");
    EXPECT_EQ(board.FrameTexts(), (Texts{"34 0D 07", "34 0D 07"}));
    EXPECT_TRUE(Child<QAbstractButton>(QK330ModIndexForm, "MOdIndexRadioGroup_7")->isChecked());
}

TEST_F(QK330Editor, SoftMuteIsSentEvenWhileMuteAllHoldsTheOthersBack) {
    Press("Reg11Button");
    EXPECT_EQ(board.FrameTexts(), Texts{"34 11 3F"});

    EngageMuteAll();
    for (int bit = 0; bit < 6; ++bit) ClickBox(Box(0x11, bit));
    Press("Reg11Button");
    ClickBox(Box(0x03, 7));
    Press("Reg03SendButton");
    EXPECT_EQ(board.FrameTexts(), Texts{"34 11 3F"});
    EXPECT_EQ(Stored(0x03), 0x93);
    EXPECT_EQ(Shows(0x03), 0x93);
}

TEST_F(QK330Editor, ReadAllOffLineClearsTheElevenRegisters) {
    ClickOffLine();
    Press("ReadAllButton");
    for (uint8_t reg : {0x00, 0x01, 0x03, 0x04, 0x05, 0x0C, 0x0D, 0x0E, 0x11, 0x12, 0x13}) {
        EXPECT_EQ(Stored(reg), 0x00) << int(reg);
        EXPECT_EQ(Shows(reg), 0x00) << int(reg);
    }
    EXPECT_TRUE(board.FrameTexts().empty());
}

// Eleven reads in order; the six registers with a setup window are written back as read.
TEST_F(QK330Editor, ReadAllReadsInOrderAndRewritesTheSetupRegisters) {
    board.SetRegister(0x13, 0x29);
    Press("ReadAllButton");
    Texts writes;
    for (const std::string& frame : board.FrameTexts())
        if (frame.size() > 5) writes.push_back(frame);
    EXPECT_EQ(writes,
              (Texts{"34 03 13", "34 04 A6", "34 05 01", "34 0D 06", "34 0E 05", "34 13 29"}));
    EXPECT_EQ(board.FrameTexts().size(), 11u * 2 + 6);
    EXPECT_EQ(Shows(0x13), 0x29);
}

TEST_F(QK330Editor, CloseDiscardsUnappliedBoxesAndSendsNothing) {
    ClickBox(Box(0x03, 7));
    ClickBox(Box(0x11, 0));
    Press("CancelButton");
    EXPECT_EQ(Shows(0x03), 0x13);
    EXPECT_EQ(Shows(0x11), 0x3F);
    EXPECT_FALSE(QK330RegForm->isVisible());
    EXPECT_TRUE(board.FrameTexts().empty());
}

TEST_F(QK330Editor, LoginButtonUnderCloseOpensTheMainWindowsLogin) {
    Child(OkapiForm, "LoginEdit")->hide();
    Press("HiddenButton");
    EXPECT_TRUE(Shown(OkapiForm, "LoginEdit"));
    EXPECT_TRUE(Shown(OkapiForm, "LoginButton"));
}

TEST_F(QK330Editor, SetupButtonsOpenTheirWindows) {
    const std::pair<const char*, QWidget*> cases[] = {
        {"Reg03Button", QK330SysControl1Form},
        {"Reg04Button", QK330SysControl2Form},
        {"Reg05Button", QK330SysControl3Form},
        {"Reg0DButton", QK330ModIndexForm},
        {"Reg0EButton", QK330SerialDataInterfaceCtlForm},
        {"Reg13Button", QK330ErrAndAutomuteDelayForm},
        {"SEOffsetBitBtn", QK330SEOffsetRegForm},
        {"TestRegBitBtn", QK330TestRegForm}};
    for (auto [button, window] : cases) {
        Press(button);
        EXPECT_TRUE(window->isVisible()) << button;
    }
}

}  // namespace
}  // namespace qk::test
