// The second generation's volume offset, DC offset, PADC offset and inter-channel delay windows,
// driven by slider moves and button clicks on a virtual QK330.
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <functional>
#include <string>

#include "tests/gui/ProgramFixture.h"

namespace qk::test {
namespace {

using Frames = std::vector<std::string>;

class QK330Sliders : public ProgramTest {
  protected:
    QK330Sliders() : ProgramTest(board::Chip::QK330) {}
    void SetUp() override {
        ProgramTest::SetUp();
        Image().InitSubAddresses();  // as chip selection does
        for (QWidget* window : {static_cast<QWidget*>(QK330SixChBalanceForm),
                                static_cast<QWidget*>(QK330DCOffsetForm),
                                static_cast<QWidget*>(QK330PADC_DCOffsetForm),
                                static_cast<QWidget*>(QK330InterchDelayForm)})
            OpenWindow(window);
    }

    static QSlider* Bar(QWidget* window, const std::string& name) {
        return Child<QSlider>(window, name.c_str());
    }
    static QSlider* Bar(QWidget* window, int channel) {
        return Bar(window, "Ch" + std::to_string(channel) + "TrackBar");
    }
    static QSlider* Offset(int channel) {
        return Bar(QK330SixChBalanceForm, "VolTrackBar" + std::to_string(channel));
    }
    static std::string Text(QWidget* window, const std::string& name) {
        return Child<QLabel>(window, name.c_str())->text().toStdString();
    }
    static std::string Ch(int channel, const char* suffix) {
        return "Ch" + std::to_string(channel) + suffix;
    }
    // The user drags the slider's handle to a position and lets go.
    static void Drag(QSlider* bar, int position) {
        bar->setSliderDown(true);
        bar->setSliderPosition(position);
        bar->setSliderDown(false);
    }
    // The main window's master slider, without its own writes.
    void SetMaster(int position) {
        Child<QSlider>(OkapiForm, "QK330MasterVolTrackBar")->setValue(position);
        board.ClearFrames();
    }
    // A channel's box on the main window, without its own writes.
    static void SetChannelBox(int channel, bool checked) {
        QSignalBlocker quiet(OkapiForm->VolumeCheckBox(channel));
        OkapiForm->VolumeCheckBox(channel)->setChecked(checked);
    }
    static QK330RegisterImage& Image() { return TheSession().QK330Image(); }
};

struct VolumeCase {
    int master;
    int offset;
    const char* offsetText;
    const char* volumeText;
    const char* hex;
    const char* frame;
};

TEST_F(QK330Sliders, VolumeIsMasterPlusOffsetOnTheMainWindowAndTheWire) {
    const VolumeCase cases[] = {
        {287, 0, "0.00 dB", "0.00 dB", "0x03CF", "34 26 03 CF"},
        {0, 0, "0.00 dB", "36.00 dB", "0x04EE", "34 26 04 EE"},
        {287, 975, "Mute", "Mute", "0x0000", "34 26 00 00"},
        {300, 975, "Mute", "Mute", "0x0000", "34 26 00 00"},
        {287, 1, "-0.13 dB", "-0.13 dB", "0x03CE", "34 26 03 CE"},
        {1007, 0, "0.00 dB", nullptr, "0x00FF", "34 26 00 FF"},
        {1006, 0, "0.00 dB", nullptr, "0x0100", "34 26 01 00"},
    };
    for (const VolumeCase& c : cases) {
        SetMaster(c.master);
        Drag(Offset(1), c.offset == 0 ? 1 : 0);
        board.ClearFrames();
        Drag(Offset(1), c.offset);
        EXPECT_EQ(Text(QK330SixChBalanceForm, "Ch1Readout"), c.offsetText) << c.master;
        if (c.volumeText) {
            EXPECT_EQ(OkapiForm->ChannelReadout(1)->text(), c.volumeText);
        }
        EXPECT_EQ(OkapiForm->ChannelHexReadout(1)->text(), c.hex) << c.master;
        EXPECT_EQ(board.FrameTexts(), Frames{c.frame}) << c.master;
    }
}

TEST_F(QK330Sliders, MasterMoveWritesAllSixChannels) {
    SetMaster(287);
    Drag(Offset(6), 2);
    board.ClearFrames();
    QK330SixChBalanceForm->ApplyAllChannelVolumes();
    EXPECT_EQ(board.FrameTexts(), (Frames{"34 26 03 CF", "34 28 03 CF", "34 2A 03 CF",
                                          "34 2C 03 CF", "34 2E 03 CF", "34 30 03 CD"}));
    EXPECT_EQ(Image().CurrentWord(0x30), 0x03CD);
}

TEST_F(QK330Sliders, ZeroAllMovesOnlyCheckedChannelsAndWritesMovedOnesTwice) {
    SetMaster(287);
    for (int channel : {1, 2, 5}) Drag(Offset(channel), 10);
    SetChannelBox(2, false);
    SetChannelBox(5, false);
    board.ClearFrames();
    Click(QK330SixChBalanceForm, "DefaultBitBtn");
    EXPECT_EQ(board.FrameTexts(),
              (Frames{"34 26 03 CF", "34 26 03 CF", "34 2A 03 CF", "34 2C 03 CF", "34 30 03 CF"}));
    EXPECT_EQ(Offset(2)->value(), 10);
    EXPECT_EQ(Offset(5)->value(), 10);
}

TEST_F(QK330Sliders, ResetPulsesTheChannelsErrorRecoveryBitThenZeroesIt) {
    SetMaster(287);
    Image().Current(0x12) = 0x3F;
    Drag(Offset(3), 5);
    board.ClearFrames();
    Click(QK330SixChBalanceForm, "Ch3ResetBitBtn");
    EXPECT_EQ(board.FrameTexts(), (Frames{"34 12 3B", "34 12 3F", "34 2A 03 CF", "34 2A 03 CF"}));
    EXPECT_EQ(Text(QK330SixChBalanceForm, "Ch3Readout"), "0.00 dB");
}

TEST_F(QK330Sliders, DcOffsetReadoutsAndFrameFollowTheSlider) {
    const struct {
        int channel, position;
        const char *percent, *hex, *frame;
    } cases[] = {
        {1, 0, "6.2500%", "0x0FFF", "34 14 0F FF"},
        {1, 4095, "0.0000%", "0x0000", "34 14 00 00"},
        {1, 4096, "-0.0015%", "0x1FFF", "34 14 1F FF"},
        {1, 8191, "-6.2515%", "0x1000", "34 14 10 00"},
        {6, 8191, "-6.2515%", "0x1000", "34 1E 10 00"},
    };
    for (const auto& c : cases) {
        Drag(Bar(QK330DCOffsetForm, c.channel), c.position == 0 ? 1 : 0);
        board.ClearFrames();
        Drag(Bar(QK330DCOffsetForm, c.channel), c.position);
        EXPECT_EQ(Text(QK330DCOffsetForm, Ch(c.channel, "Readout")), c.percent);
        EXPECT_EQ(Text(QK330DCOffsetForm, Ch(c.channel, "HexReadout")), c.hex);
        EXPECT_EQ(board.FrameTexts(), Frames{c.frame}) << c.position;
    }
}

TEST_F(QK330Sliders, DcOffsetDefaultAndZero) {
    QK330DCOffsetForm->SetChannelFromValue(2, 0x0FFF);
    EXPECT_EQ(Bar(QK330DCOffsetForm, 2)->value(), 0);
    board.ClearFrames();
    Image().DefaultImage[22] = 0x1F;  // channel 2: 1FFFh, position 4096
    Image().DefaultImage[23] = 0xFF;
    Click(QK330DCOffsetForm, "DefaultBitBtn");
    EXPECT_EQ(board.FrameTexts(), (Frames{"34 14 00 00", "34 16 1F FF", "34 18 00 00",
                                          "34 1A 00 00", "34 1C 00 00", "34 1E 00 00"}))
        << "every slider but channel 2's moves from 4096 to 4095";
    board.ClearFrames();
    Click(QK330DCOffsetForm, "Ch2ZeroButton");
    EXPECT_EQ(board.FrameTexts(), (Frames{"34 16 00 00", "34 16 00 00"}));
}

TEST_F(QK330Sliders, PadcOffsetWritesItsHexReadoutAndComesBackFromIt) {
    Click(QK330PADC_DCOffsetForm, "PADC_DCZeroButton");
    EXPECT_EQ(Text(QK330PADC_DCOffsetForm, "PADC_DCReadout"), "0.0000%");
    EXPECT_EQ(Text(QK330PADC_DCOffsetForm, "PADC_DCHexReadout"), "0x0000");
    QSlider* bar = Bar(QK330PADC_DCOffsetForm, "PADC_DCTrackBar");
    Drag(bar, 0);
    EXPECT_EQ(Text(QK330PADC_DCOffsetForm, "PADC_DCReadout"), "6.2515%");
    EXPECT_EQ(Text(QK330PADC_DCOffsetForm, "PADC_DCHexReadout"), "0x1000");
    Drag(bar, 8191);
    EXPECT_EQ(board.FrameTexts(), (Frames{"34 0F 00 00", "34 0F 10 00", "34 0F 0F FF"}));

    const uint16_t written = Image().CurrentWord(0x0F);
    Drag(bar, 100);
    QK330PADC_DCOffsetForm->SetFromValue(written);
    EXPECT_EQ(bar->value(), 8191) << "the written value puts the slider back";
    QK330PADC_DCOffsetForm->SetFromValue(0);
    EXPECT_EQ(bar->value(), 4096);
}

// A value beyond 13 bits that the slider does not replace reads as no code: "invalid" beside its
// hex value, the whole text in the tooltip. One that moves the slider is replaced on the chip by
// the slider's end, and reads as that.
TEST_F(QK330Sliders, OffsetReadoutsSayWhatTheRegisterHolds) {
    // The readout's text and tooltip, once its text is seen to fit.
    const auto shown = [](QWidget* window, const char* name) {
        const QLabel* label = Child<QLabel>(window, name);
        EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()),
                  label->contentsRect().width())
            << name;
        return (label->text() + " | " + label->toolTip()).toStdString();
    };
    const struct {
        int before;  // channel 1's slider
        uint8_t high, low;
        const char *percent, *hex;
        Frames frames;
    } cases[] = {
        {8191, 0x20, 0x00, "invalid | invalid code 2000h", "0x2000", {}},
        {0, 0xFF, 0xFF, "-6.2515% | ", "0x1000", {"34 14 10 00"}},
        {8191, 0x10, 0x00, "-6.2515% | ", "0x1000", {}},
    };
    for (const auto& c : cases) {
        Drag(Bar(QK330DCOffsetForm, 1), c.before);
        Image().DefaultImage = Image().CurrentImage;
        Image().DefaultImage[20] = c.high;
        Image().DefaultImage[21] = c.low;
        board.ClearFrames();
        Click(QK330DCOffsetForm, "DefaultBitBtn");
        EXPECT_EQ(shown(QK330DCOffsetForm, "Ch1Readout"), c.percent);
        EXPECT_EQ(Text(QK330DCOffsetForm, "Ch1HexReadout"), c.hex);
        Frames channel1;
        for (const std::string& frame : board.FrameTexts())
            if (frame.starts_with("34 14 ")) channel1.push_back(frame);
        EXPECT_EQ(channel1, c.frames);
    }

    Click(QK330PADC_DCOffsetForm, "PADC_DCZeroButton");
    board.ClearFrames();
    Image().SetImageWord(QK330RegisterImage::EntryOf(0x0F), 0xE000);
    QK330PADC_DCOffsetForm->SetFromValue(0xE000);
    EXPECT_EQ(shown(QK330PADC_DCOffsetForm, "PADC_DCReadout"), "invalid | invalid code E000h");
    EXPECT_EQ(Text(QK330PADC_DCOffsetForm, "PADC_DCHexReadout"), "0xE000");
    EXPECT_EQ(board.FrameTexts(), Frames{});
    Click(QK330PADC_DCOffsetForm, "PADC_DCZeroButton");
    EXPECT_EQ(shown(QK330PADC_DCOffsetForm, "PADC_DCReadout"), "0.0000% | ");
}

// A readout whose value shows as zero at its precision reads without a sign: as the windows open,
// after moves back to zero, and from calculations that give a negative zero.
TEST_F(QK330Sliders, AZeroReadsWithoutASign) {
    OpenWindow(QK330SEOffsetRegForm);
    const auto type = [](const char* edit, const char* text) {
        auto* line = Child<QLineEdit>(QK330SEOffsetRegForm, edit);
        line->clear();
        line->insert(text);
    };
    const auto calculate = [type](const char* supply, const char* r1, const char* r2) {
        type("PSUEdit", supply);
        type("R1Edit", r1);
        type("R2Edit", r2);
        Click(QK330SEOffsetRegForm, "CalcSEOffsetButton");
    };
    const struct {
        const char* what;
        std::function<void()> bring;
        QWidget* window;
        const char *readout, *text;
    } cases[] = {
        {"PADC OFFSET as opened, at its centre", [] {}, QK330PADC_DCOffsetForm, "PADC_DCReadout",
         "0.0000%"},
        {"DC OFFSET as opened", [] {}, QK330DCOffsetForm, "Ch1Readout", "0.0000%"},
        {"PADC OFFSET dragged back to its centre",
         [] {
             Drag(Bar(QK330PADC_DCOffsetForm, "PADC_DCTrackBar"), 4097);
             Drag(Bar(QK330PADC_DCOffsetForm, "PADC_DCTrackBar"), 4096);
         },
         QK330PADC_DCOffsetForm, "PADC_DCReadout", "0.0000%"},
        {"DC OFFSET dragged to zero", [] { Drag(Bar(QK330DCOffsetForm, 3), 4095); },
         QK330DCOffsetForm, "Ch3Readout", "0.0000%"},
        {"a negative supply across no divider", [calculate] { calculate("-3.3", "1", "0"); },
         QK330SEOffsetRegForm, "SEOffsetFloatEdit", "0"},
        {"a supply of minus zero", [calculate] { calculate("-0", "1", "1"); }, QK330SEOffsetRegForm,
         "PSUFactorEdit", "0"},
    };
    for (const auto& c : cases) {
        c.bring();
        const QWidget* readout = Child(c.window, c.readout);
        const auto* line = qobject_cast<const QLineEdit*>(readout);
        const QString text = line ? line->text() : qobject_cast<const QLabel*>(readout)->text();
        EXPECT_EQ(text.toStdString(), c.text) << c.what;
    }
}

TEST_F(QK330Sliders, DelaySliderZeroAndDefaults) {
    Drag(Bar(QK330InterchDelayForm, 1), 0);
    Drag(Bar(QK330InterchDelayForm, 3), 255 - 0x10);
    EXPECT_EQ(Text(QK330InterchDelayForm, "Ch1Readout"), "0xFF");
    Click(QK330InterchDelayForm, "Ch2ZeroButton");
    Click(QK330InterchDelayForm, "Ch1ZeroButton");
    EXPECT_EQ(board.FrameTexts(),
              (Frames{"34 20 FF", "34 22 10", "34 21 00", "34 20 00", "34 20 00"}));

    Image().DefaultImage = QK330PowerOnDefaults;
    Drag(Bar(QK330InterchDelayForm, 4), 255 - 0x10);
    board.ClearFrames();
    Click(QK330InterchDelayForm, "DefaultBitBtn");
    EXPECT_EQ(board.FrameTexts(),
              (Frames{"34 21 4C", "34 22 98", "34 23 E4", "34 24 30", "34 25 7C"}));
    EXPECT_EQ(Bar(QK330InterchDelayForm, 4)->value(), 27);
    board.ClearFrames();
    Drag(Bar(QK330InterchDelayForm, 4), 255 - 0x10);
    Click(QK330InterchDelayForm, "DefaultBitBtn");
    EXPECT_EQ(board.FrameTexts(), (Frames{"34 23 10", "34 23 E4"}));
}

TEST_F(QK330Sliders, DisabledChannelAndMuteAll) {
    QK330SixChBalanceForm->EnableChannel(3, false);
    EXPECT_FALSE(Child<QWidget>(QK330SixChBalanceForm, "Ch3ResetBitBtn")->isEnabled());
    EXPECT_TRUE(Offset(4)->isEnabled());
    Child<QAbstractButton>(OkapiForm, "QK330MuteAllBitBtn")->click();
    ASSERT_TRUE(TheSession().MuteAllEngaged(ChipGeneration::QK330));
    board.ClearFrames();
    Drag(Bar(QK330DCOffsetForm, 1), 0);
    Drag(Offset(2), 975);
    EXPECT_EQ(Text(QK330DCOffsetForm, "Ch1HexReadout"), "0x0FFF");
    EXPECT_EQ(Text(QK330SixChBalanceForm, "Ch2Readout"), "Mute");
    EXPECT_EQ(Image().CurrentWord(0x14), 0x0FFF);
    EXPECT_TRUE(board.FrameTexts().empty());
}

}  // namespace
}  // namespace qk::test
