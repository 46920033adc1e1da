#include <QSlider>

#include "tests/gui/QK330Fixture.h"

namespace qk::test {
namespace {

class QK330Panel : public QK330Test {};

TEST_F(QK330Panel, StartKeepsTheSecondGenerationHiddenUntilALogin) {
    // The fixture's START offered the QK350/60 (the QK330 answers with ID 00h) and the login
    // added the QK330 and QK340.
    EXPECT_EQ(ShownChipButtons(),
              (Texts{"QK330RadioButton", "QK340RadioButton", "QK350RadioButton"}));
    LogIn("elmak");
    EXPECT_EQ(ShownChipButtons(), Texts{"QK350RadioButton"});
    LogIn("elmakp");
    EXPECT_TRUE(Shown(OkapiForm, "QK330RadioButton"));
    EXPECT_TRUE(Shown(OkapiForm, "QK340RadioButton"));
}

TEST_F(QK330Panel, SelectionShowsTheQK330PanelAtZeroDecibels) {
    EXPECT_TRUE(Shown(OkapiForm, "QK330MasterVolGroupBox"));
    EXPECT_TRUE(Shown(OkapiForm, "QK330ButtonPanel"));
    EXPECT_FALSE(Shown(OkapiForm, "QK310ButtonPanel"));
    EXPECT_EQ(Text("QK330MasterVolReadout"), "0.00 dB");
    EXPECT_EQ(StatusLines(), (Texts{"READY", "READY"}));
}

TEST_F(QK330Panel, MasterSliderReadsFromItsEndsAndZero) {
    auto* slider = Child<QSlider>(OkapiForm, "QK330MasterVolTrackBar");
    const auto readout = [] { return Text("QK330MasterVolReadout").toStdString(); };
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Home);
    EXPECT_EQ(slider->value(), 0);
    EXPECT_EQ(readout(), "36.00 dB");
    QTest::keyClick(slider, Qt::Key_End);
    EXPECT_EQ(slider->value(), 1262);
    EXPECT_EQ(readout(), "Mute");
    Click(OkapiForm, "QK330MasterVolZeroBitBtn");
    EXPECT_EQ(slider->value(), 287);
    EXPECT_EQ(readout(), "0.00 dB");
}

TEST_F(QK330Panel, ChannelBoxMutesTheChannelThroughTheSoftMuteRegister) {
    Click(OkapiForm, "Volume2CheckBox");
    EXPECT_EQ(board.FrameTexts(), Texts{"34 11 3D"});
    EXPECT_FALSE(Box(0x11, 1)->isEnabled());
    Click(OkapiForm, "Volume2CheckBox");
    EXPECT_EQ(board.FrameTexts(), (Texts{"34 11 3D", "34 11 3F"}));
    EXPECT_TRUE(Box(0x11, 1)->isEnabled());
}

TEST_F(QK330Panel, MuteAllTogglesTheEnabledChannels) {
    Click(OkapiForm, "Volume6CheckBox");
    board.ClearFrames();
    Click(OkapiForm, "QK330MuteAllBitBtn");
    EXPECT_EQ(Child<QAbstractButton>(OkapiForm, "QK330MuteAllBitBtn")->text(), "MUTED");
    Click(OkapiForm, "QK330MuteAllBitBtn");
    EXPECT_EQ(Child<QAbstractButton>(OkapiForm, "QK330MuteAllBitBtn")->text(), "MUTE ALL");
    EXPECT_EQ(board.FrameTexts(), (Texts{"34 11 00", "34 11 1F"}));
}

TEST_F(QK330Panel, ChannelReenabledUnderMuteAllStaysMuted) {
    Click(OkapiForm, "QK330MuteAllBitBtn");
    Click(OkapiForm, "Volume1CheckBox");
    Click(OkapiForm, "Volume1CheckBox");
    EXPECT_EQ(board.FrameTexts(), (Texts{"34 11 00", "34 11 00", "34 11 00"}));
    EXPECT_TRUE(Box(0x11, 0)->isEnabled());
}

TEST_F(QK330Panel, PwmInitPulsesTheSoftResetOfSystemControl2) {
    Click(OkapiForm, "QK330PWMResetBitBtn");
    EXPECT_EQ(board.FrameTexts(), (Texts{"34 04 A2", "34 04 A6"}));
}

TEST_F(QK330Panel, ResetActivatesTheChipAgain) {
    ClickBox(Box(0x03, 7));
    Click(QK330RegForm, "Reg03SendButton");
    board.ClearFrames();
    Click(OkapiForm, "QK330InitSWBitBtn");
    EXPECT_EQ(Shows(0x03), 0x13);
    EXPECT_EQ(board.FrameTexts().front(), "34 03 13");
}

// The QK340 uses the QK330's windows, with the PADC offset group shown.
class QK340Panel : public QK330Test {
  protected:
    QK340Panel() { chipButton_ = "QK340RadioButton"; }
};

TEST_F(QK340Panel, ChannelBoxesAndResetActAsForTheQK330) {
    EXPECT_TRUE(Shown(QK330RegForm, "PADCOffsetGroupBox"));
    Click(OkapiForm, "Volume1CheckBox");
    EXPECT_EQ(board.FrameTexts(), Texts{"34 11 3E"});
    board.ClearFrames();
    Click(OkapiForm, "QK330InitSWBitBtn");
    EXPECT_EQ(board.FrameTexts().front(), "34 03 13");
    Click(OkapiForm, "QK330RadioButton");
    EXPECT_FALSE(Shown(QK330RegForm, "PADCOffsetGroupBox"));
}

}  // namespace
}  // namespace qk::test
