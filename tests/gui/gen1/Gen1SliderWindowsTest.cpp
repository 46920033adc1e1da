// The DC offset and inter-channel delay windows, driven by slider moves and button clicks.
#include <QLabel>
#include <QLocale>
#include <QSlider>
#include <clocale>
#include <string>

#include "gui/gen1/Dcoffsetunit.h"
#include "gui/gen1/Interchdelayunit.h"
#include "gui/gen1/Registersunit.h"
#include "tests/gui/ProgramFixture.h"

namespace qk::test {
namespace {

using Frames = std::vector<std::string>;

class SliderWindows : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        OpenWindow(DCOffsetForm);
        OpenWindow(InterchDelayForm);
    }

    static QSlider* Bar(QWidget* window, int channel) {
        return Child<QSlider>(window, ("Ch" + std::to_string(channel) + "TrackBar").c_str());
    }
    static std::string Text(QWidget* window, const std::string& name) {
        return Child<QLabel>(window, name.c_str())->text().toStdString();
    }
    // The user drags the slider's handle to a position and lets go.
    static void Drag(QSlider* bar, int position) {
        bar->setSliderDown(true);
        bar->setSliderPosition(position);
        bar->setSliderDown(false);
    }
    QK310RegisterImage& Image() { return TheSession().FirstGenerationImage(); }
};

struct DcCase {
    int channel;
    int position;
    const char* percent;
    const char* hex;
    const char* frame;
};

TEST_F(SliderWindows, DcOffsetSliderShowsAndWritesTheSignedOffset) {
    const DcCase cases[] = {
        {1, 0, "1.560%", "0x7F", "34 06 7F"},    {3, 255, "-1.572%", "0x80", "34 08 80"},
        {6, 128, "-0.012%", "0xFF", "34 0B FF"}, {2, 126, "0.012%", "0x01", "34 07 01"},
        {4, 127, "0.000%", "0x00", "34 09 00"},  {5, 143, "-0.197%", "0xF0", "34 0A F0"},
    };
    for (const DcCase& c : cases) {
        QSlider* bar = Bar(DCOffsetForm, c.channel);
        Drag(bar, c.position == 0 ? 1 : 0);  // from elsewhere, so that the move is a change
        board.ClearFrames();
        Drag(bar, c.position);
        const std::string ch = "Ch" + std::to_string(c.channel);
        EXPECT_EQ(Text(DCOffsetForm, ch + "Readout"), c.percent) << c.position;
        EXPECT_EQ(Text(DCOffsetForm, ch + "HexReadout"), c.hex) << c.position;
        EXPECT_EQ(board.FrameTexts(), Frames{c.frame}) << c.position;
        EXPECT_EQ(Image().CurrentImage[5 + c.channel], board.Register(uint8_t(5 + c.channel)));
    }
}

TEST_F(SliderWindows, DcOffsetStartsAt128WithZeroReadouts) {
    for (int channel = 1; channel <= 6; ++channel) {
        const std::string ch = "Ch" + std::to_string(channel);
        EXPECT_EQ(Bar(DCOffsetForm, channel)->value(), 128);
        EXPECT_EQ(Text(DCOffsetForm, ch + "Readout"), "0.000%");
        EXPECT_EQ(Text(DCOffsetForm, ch + "HexReadout"), "0x00");
        EXPECT_EQ(Bar(InterchDelayForm, channel)->value(), 255);
        EXPECT_EQ(Text(InterchDelayForm, ch + "Readout"), "0x00");
    }
    EXPECT_TRUE(board.FrameTexts().empty());
}

TEST_F(SliderWindows, ArrowUpMovesTheHandleTowardsTheTop) {
    QSlider* bar = Bar(DCOffsetForm, 1);
    bar->setFocus();
    QTest::keyClick(bar, Qt::Key_Up);
    EXPECT_EQ(bar->value(), 127);
    QTest::keyClick(bar, Qt::Key_PageUp);
    EXPECT_EQ(bar->value(), 124);
    EXPECT_EQ(board.FrameTexts(), (Frames{"34 06 00", "34 06 03"}));
}

TEST_F(SliderWindows, PercentReadoutKeepsTheDecimalPointUnderADecimalCommaLocale) {
    const QLocale previous;
    const std::string previousNumeric = std::setlocale(LC_NUMERIC, nullptr);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"})  // where the system has one
        if (std::setlocale(LC_NUMERIC, name)) break;

    Drag(Bar(DCOffsetForm, 1), 0);
    Drag(Bar(DCOffsetForm, 2), 255);
    const std::string top = Text(DCOffsetForm, "Ch1Readout");
    const std::string bottom = Text(DCOffsetForm, "Ch2Readout");

    std::setlocale(LC_NUMERIC, previousNumeric.c_str());
    QLocale::setDefault(previous);
    EXPECT_EQ(top, "1.560%");
    EXPECT_EQ(bottom, "-1.572%");
}

TEST_F(SliderWindows, DelaySliderShowsAndWritesTheDelay) {
    Drag(Bar(InterchDelayForm, 2), 239);
    EXPECT_EQ(Text(InterchDelayForm, "Ch2Readout"), "0x10");
    Drag(Bar(InterchDelayForm, 6), 0);
    EXPECT_EQ(Text(InterchDelayForm, "Ch6Readout"), "0xFF");
    EXPECT_EQ(board.FrameTexts(), (Frames{"34 0D 10", "34 11 FF"}));
    EXPECT_EQ(Image().CurrentImage[13], 0x10);
    EXPECT_EQ(Image().CurrentImage[17], 0xFF);
}

TEST_F(SliderWindows, RestoredDefaultSetsTheSliderAndWritesOnlyMovedChannels) {
    Image().DefaultImage[6] = 0xF0;  // -16
    Click(DCOffsetForm, "DefaultBitBtn");
    EXPECT_EQ(Bar(DCOffsetForm, 1)->value(), 143);
    EXPECT_EQ(Text(DCOffsetForm, "Ch1HexReadout"), "0xF0");
    for (int channel = 2; channel <= 6; ++channel)
        EXPECT_EQ(Bar(DCOffsetForm, channel)->value(), 127);
    EXPECT_EQ(board.FrameTexts(),
              (Frames{"34 06 F0", "34 07 00", "34 08 00", "34 09 00", "34 0A 00", "34 0B 00"}));
}

TEST_F(SliderWindows, DelayDefaultsWriteTheMovedChannelsThenNothingOnceInLine) {
    Image().DefaultImage = QK310PowerOnDefaults;
    Click(InterchDelayForm, "DefaultBitBtn");
    EXPECT_EQ(board.FrameTexts(),
              (Frames{"34 0D 10", "34 0E 20", "34 0F 30", "34 10 40", "34 11 50"}))
        << "channel 1 stays at 255 (0x00): not written";
    EXPECT_EQ(Text(InterchDelayForm, "Ch6Readout"), "0x50");

    board.ClearFrames();
    Click(InterchDelayForm, "DefaultBitBtn");
    Click(DCOffsetForm, "DefaultBitBtn");
    Click(DCOffsetForm, "DefaultBitBtn");
    EXPECT_EQ(board.FrameTexts(),
              (Frames{"34 06 00", "34 07 00", "34 08 00", "34 09 00", "34 0A 00", "34 0B 00"}))
        << "only the first DC DEFAULTS moves the sliders from 128";
}

TEST_F(SliderWindows, DefaultsBringTheImageBackEvenWhereTheSliderDoesNotMove) {
    Image().CurrentImage[12] = 0x33;  // out of line with the slider (255 = 0x00)
    Click(InterchDelayForm, "DefaultBitBtn");
    EXPECT_EQ(Image().CurrentImage[12], 0x00);
}

TEST_F(SliderWindows, ZeroWritesOnceAtTheZeroPositionAndTwiceWhenItMoves) {
    Click(InterchDelayForm, "Ch1ZeroButton");
    EXPECT_EQ(board.FrameTexts(), Frames{"34 0C 00"});

    Drag(Bar(DCOffsetForm, 4), 127);
    board.ClearFrames();
    Click(DCOffsetForm, "Ch4ZeroButton");
    EXPECT_EQ(board.FrameTexts(), Frames{"34 09 00"});

    Drag(Bar(DCOffsetForm, 4), 10);
    board.ClearFrames();
    Click(DCOffsetForm, "Ch4ZeroButton");
    EXPECT_EQ(Bar(DCOffsetForm, 4)->value(), 127);
    EXPECT_EQ(Text(DCOffsetForm, "Ch4Readout"), "0.000%");
    EXPECT_EQ(board.FrameTexts(), (Frames{"34 09 00", "34 09 00"}));
}

TEST_F(SliderWindows, WhileMuteAllIsEngagedReadoutsAndImageFollowButNothingIsSent) {
    EngageQK310MuteAll();
    Drag(Bar(DCOffsetForm, 1), 0);
    Drag(Bar(InterchDelayForm, 3), 200);
    Click(DCOffsetForm, "Ch2ZeroButton");
    EXPECT_EQ(Text(DCOffsetForm, "Ch1Readout"), "1.560%");
    EXPECT_EQ(Text(InterchDelayForm, "Ch3Readout"), "0x37");
    EXPECT_EQ(Image().CurrentImage[6], 0x7F);
    EXPECT_EQ(Image().CurrentImage[14], 0x37);
    EXPECT_TRUE(board.FrameTexts().empty());
}

TEST_F(SliderWindows, DisabledChannelIgnoresItsControls) {
    DCOffsetForm->EnableChannel(3, false);
    InterchDelayForm->EnableChannel(3, false);
    EXPECT_FALSE(Bar(DCOffsetForm, 3)->isEnabled());
    EXPECT_FALSE(Child<QWidget>(InterchDelayForm, "Ch3ZeroButton")->isEnabled());
    Click(InterchDelayForm, "Ch3ZeroButton");
    EXPECT_TRUE(board.FrameTexts().empty());

    DCOffsetForm->EnableChannel(3, true);
    EXPECT_TRUE(Bar(DCOffsetForm, 3)->isEnabled());
    EXPECT_TRUE(Child<QWidget>(DCOffsetForm, "Ch3ZeroButton")->isEnabled());
    EXPECT_FALSE(Bar(InterchDelayForm, 3)->isEnabled()) << "each window on its own";
}

TEST_F(SliderWindows, CaptionsAndCloseHides) {
    EXPECT_EQ(Text(DCOffsetForm, "Ch1Label"), "one");
    EXPECT_EQ(Text(InterchDelayForm, "Ch6Label"), "six");
    EXPECT_EQ(Text(DCOffsetForm, "MinLabel"), "-1.572");
    EXPECT_EQ(Text(InterchDelayForm, "LabelF0"), "0xF0");
    EXPECT_EQ(Child<QAbstractButton>(DCOffsetForm, "DefaultBitBtn")->text(), "DEFAULTS");
    Click(DCOffsetForm, "CloseBitBtn");
    Click(InterchDelayForm, "CloseBitBtn");
    EXPECT_FALSE(DCOffsetForm->isVisible());
    EXPECT_FALSE(InterchDelayForm->isVisible());
}

}  // namespace
}  // namespace qk::test
