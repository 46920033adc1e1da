// The main window's volume and mute panel and the volume offset window, driven by clicks and
// slider moves after START has found and selected a QK310 on the virtual board.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <cstdio>

#include "gui/bus/BusMonitorunit.h"
#include "gui/bus/StatusWatchunit.h"
#include "gui/gen1/Balanceunitsixch.h"
#include "gui/gen1/Dcoffsetunit.h"
#include "gui/gen1/Interchdelayunit.h"
#include "gui/gen1/Registersunit.h"
#include "gui/gen1/Syscontrol1unit.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/UpDown.h"
#include "tests/gui/MainWindowFixture.h"

namespace qk::test {
namespace {

using Frames = std::vector<std::string>;

std::string Frame(int sub, int value) {
    char text[12];
    std::snprintf(text, sizeof text, "34 %02X %02X", sub, value);
    return text;
}

// The six channel volume registers 13h..18h, all written with one code.
Frames AllVolumes(int code) {
    Frames frames;
    for (int sub = 0x13; sub <= 0x18; ++sub) frames.push_back(Frame(sub, code));
    return frames;
}

Frames Last(const Frames& frames, size_t count) {
    return Frames(frames.end() - std::min(count, frames.size()), frames.end());
}

std::string Numbered(const char* prefix, int channel, const char* suffix) {
    return prefix + std::to_string(channel) + suffix;
}

class VolumePanel : public MainWindowTest {
  protected:
    // START finds the QK310 and selects it; what it sent is not the subject here.
    void StartWithQK310() {
        ClickStart();
        ASSERT_TRUE(Child<QAbstractButton>(OkapiForm, "QK310RadioButton")->isChecked());
        board.ClearFrames();
    }

    // The user drags the slider's handle to a position and lets go.
    static void Drag(QSlider* slider, int position) {
        slider->setSliderDown(true);
        slider->setSliderPosition(position);
        slider->setSliderDown(false);
    }
    static QSlider* Master() { return Child<QSlider>(OkapiForm, "MasterVolTrackBar"); }
    static UpDown* MasterUpDown() { return Child<UpDown>(OkapiForm, "MasterVolUpDown"); }
    static QSlider* Offset(int channel) {
        return Child<QSlider>(SixChBalanceForm, Numbered("VolTrackBar", channel, "").c_str());
    }
    static QCheckBox* ChannelBox(int channel) {
        return Child<QCheckBox>(OkapiForm, Numbered("Volume", channel, "CheckBox").c_str());
    }
    static QCheckBox* UnmuteBox(int channel) {
        return Child<QCheckBox>(RegistersForm, Numbered("CheckBox19_", channel - 1, "").c_str());
    }
    static std::string MainText(const std::string& label) {
        return Text(label.c_str()).toStdString();
    }
    static std::string OffsetText(int channel) {
        return Child<QLabel>(SixChBalanceForm, Numbered("Ch", channel, "Readout").c_str())
            ->text()
            .toStdString();
    }
    static QPushButton* MuteAll() { return Child<QPushButton>(OkapiForm, "QK310MuteAllBitBtn"); }
    static QK310RegisterImage& Image() { return TheSession().FirstGenerationImage(); }
};

// --- Master volume and channel offsets ---

struct VolumeCase {
    int master;
    int channel;
    int offset;
    const char* masterReadout;
    const char* mainReadout;
    const char* hexReadout;
    const char* offsetReadout;
    std::string frame;  // the channel's frame of the six the master move sends
};

TEST_F(VolumePanel, MasterAndOffsetGiveTheChannelCodeReadoutsAndFrame) {
    const VolumeCase cases[] = {
        {48, 1, 0, "0.0 dB", "0.0 dB", "0x00C9", "0.0 dB", "34 13 C9"},
        {0, 1, 0, "24.0 dB", "24.0 dB", "0x00F9", "0.0 dB", "34 13 F9"},
        {200, 3, 60, "-76.0 dB", "MUTE", "0x00", "-30.0 dB", "34 15 00"},
        {189, 2, 60, "-70.5 dB", "MUTE", "0x0000", "-30.0 dB", "34 14 00"},  // m + o = 249: code 0
    };
    StartWithQK310();
    Click(OkapiForm, "QK310ChannelSetupBitBtn");
    for (const VolumeCase& c : cases) {
        Drag(Offset(c.channel), c.offset);
        Drag(Master(), c.master + 1);  // from elsewhere, so that the move is a change
        board.ClearFrames();
        Drag(Master(), c.master);

        const Frames frames = board.FrameTexts();
        ASSERT_EQ(frames.size(), 6u) << c.master;
        EXPECT_EQ(frames[c.channel - 1], c.frame) << c.master;
        EXPECT_EQ(MainText("MasterVolReadout"), c.masterReadout) << c.master;
        EXPECT_EQ(MainText(Numbered("Ch", c.channel, "Readout")), c.mainReadout) << c.master;
        EXPECT_EQ(MainText(Numbered("Ch", c.channel, "HexReadout")), c.hexReadout) << c.master;
        EXPECT_EQ(OffsetText(c.channel), c.offsetReadout) << c.master;
        EXPECT_EQ(MasterUpDown()->position(), c.master) << "the up-down follows the slider";
        Drag(Offset(c.channel), 0);
    }
}

TEST_F(VolumePanel, MasterReadoutShowsTheCodeOfItsPosition) {
    StartWithQK310();
    const std::pair<int, const char*> cases[] = {
        {0, "24.0 dB"},     {48, "0.0 dB"}, {216, "-84.0 dB"}, {217, "-84.6 dB"},
        {243, "-114.4 dB"}, {244, "MUTE"},  {249, "MUTE"}};
    for (auto [position, text] : cases) {
        Drag(Master(), position == 0 ? 1 : 0);
        Drag(Master(), position);
        EXPECT_EQ(MainText("MasterVolReadout"), text) << position;
    }
}

TEST_F(VolumePanel, UpArrowMovesTheSliderTowardsTheLoudEnd) {
    StartWithQK310();
    QTest::mouseClick(MasterUpDown()->upButton(), Qt::LeftButton);
    EXPECT_EQ(Master()->value(), 47);
    EXPECT_EQ(MasterUpDown()->position(), 47);
    EXPECT_EQ(MainText("MasterVolReadout"), "0.5 dB");
    const Frames frames = board.FrameTexts();
    EXPECT_EQ(Last(frames, 6), AllVolumes(0xCA));
    for (const std::string& frame : frames) EXPECT_EQ(frame.substr(0, 4), "34 1") << frame;

    QTest::mouseClick(MasterUpDown()->downButton(), Qt::LeftButton);
    QTest::mouseClick(MasterUpDown()->downButton(), Qt::LeftButton);
    EXPECT_EQ(Master()->value(), 49);
    EXPECT_EQ(MainText("MasterVolReadout"), "-0.5 dB");
}

TEST_F(VolumePanel, UpArrowAtTheTopStaysAndStillWritesTheChannels) {
    StartWithQK310();
    Drag(Master(), 0);
    board.ClearFrames();
    QTest::mouseClick(MasterUpDown()->upButton(), Qt::LeftButton);
    EXPECT_EQ(Master()->value(), 0) << "no wrap";
    EXPECT_EQ(board.FrameTexts(), AllVolumes(0xF9));
}

TEST_F(VolumePanel, ZeroButtonPutsBothControlsAt48) {
    StartWithQK310();
    Drag(Master(), 100);
    board.ClearFrames();
    Click(OkapiForm, "MasterVolZeroBitBtn");
    EXPECT_EQ(Master()->value(), 48);
    EXPECT_EQ(MasterUpDown()->position(), 48);
    EXPECT_EQ(MainText("MasterVolReadout"), "0.0 dB");
    EXPECT_EQ(Last(board.FrameTexts(), 6), AllVolumes(0xC9));
    EXPECT_EQ(MainText("Ch4HexReadout"), "0x00C9");
}

TEST_F(VolumePanel, OffsetSliderEndsAt201AndItsReadoutShowsTheAttenuation) {
    StartWithQK310();
    const struct {
        int drag;
        int position;
        const char* readout;
    } cases[] = {
        {.drag = 1, .position = 1, .readout = "-0.5 dB"},
        {.drag = 168, .position = 168, .readout = "-84.0 dB"},
        {.drag = 196, .position = 196, .readout = "MUTE"},
        {.drag = 255, .position = 201, .readout = "MUTE"},
    };
    for (const auto& c : cases) {
        Drag(Offset(1), c.drag);
        EXPECT_EQ(Offset(1)->value(), c.position) << c.drag;
        EXPECT_EQ(OffsetText(1), c.readout) << c.drag;
    }
    Offset(1)->setFocus();
    QTest::keyClick(Offset(1), Qt::Key_PageUp);
    EXPECT_EQ(Offset(1)->value(), 195) << "a page is 6 steps, up is louder";
}

TEST_F(VolumePanel, ZeroOfAChannelPulsesItsErrorRecoveryBitThenClearsItsOffset) {
    board.SetRegister(0x04, 0x3F);  // restored into the image by the selection
    StartWithQK310();
    Click(OkapiForm, "QK310ChannelSetupBitBtn");
    Drag(Offset(2), 10);
    board.ClearFrames();
    Click(SixChBalanceForm, "Ch2ResetBitBtn");
    EXPECT_EQ(board.FrameTexts(), (Frames{"34 04 3D", "34 04 3F", "34 14 C9", "34 14 C9"}))
        << "the slider's move applies the channel, then it is applied once more";
    EXPECT_EQ(Offset(2)->value(), 0);
    EXPECT_EQ(Image().Current(0x04), 0x3F);
    EXPECT_EQ(OffsetText(2), "0.0 dB");
}

TEST_F(VolumePanel, DefaultsSkipsAChannelWhoseMainWindowBoxIsCleared) {
    StartWithQK310();
    Click(OkapiForm, "QK310ChannelSetupBitBtn");
    Drag(Offset(1), 10);
    Drag(Offset(4), 30);
    QTest::mouseClick(ChannelBox(4), Qt::LeftButton);
    const uint8_t register16 = board.Register(0x16);
    board.ClearFrames();

    Click(SixChBalanceForm, "DefaultBitBtn");
    EXPECT_EQ(board.FrameTexts(),
              (Frames{"34 13 C9", "34 13 C9", "34 14 C9", "34 15 C9", "34 17 C9", "34 18 C9"}));
    EXPECT_EQ(Offset(4)->value(), 30);
    EXPECT_EQ(board.Register(0x16), register16);
    EXPECT_EQ(register16, 0xAB) << "249 - (48 + 30)";
}

// --- Channel boxes ---

TEST_F(VolumePanel, ChannelBoxMutesAndUnmutesItsChannel) {
    StartWithQK310();
    const uint8_t before = board.Register(0x19);
    QTest::mouseClick(ChannelBox(5), Qt::LeftButton);
    EXPECT_FALSE(UnmuteBox(5)->isChecked());
    EXPECT_FALSE(Offset(5)->isEnabled());
    QTest::mouseClick(ChannelBox(5), Qt::LeftButton);
    EXPECT_TRUE(UnmuteBox(5)->isChecked());
    EXPECT_TRUE(Offset(5)->isEnabled());
    EXPECT_EQ(board.FrameTexts(),
              (Frames{Frame(0x19, before & ~0x10), Frame(0x19, before | 0x10)}));
}

TEST_F(VolumePanel, ChannelBoxClearedUnderMuteAllDisablesItsControlsAndStaysMuted) {
    StartWithQK310();
    Click(OkapiForm, "QK310MuteAllBitBtn");
    const uint8_t muted = board.Register(0x19);
    EXPECT_EQ(muted & 0x3F, 0) << "every channel muted";
    board.ClearFrames();

    QTest::mouseClick(ChannelBox(3), Qt::LeftButton);
    EXPECT_EQ(board.FrameTexts(), Frames{Frame(0x19, muted)}) << "written although muted";
    QWidget* controls[] = {Offset(3),
                           Child(SixChBalanceForm, "Ch3ResetBitBtn"),
                           Child(DCOffsetForm, "Ch3TrackBar"),
                           Child(DCOffsetForm, "Ch3ZeroButton"),
                           Child(InterchDelayForm, "Ch3TrackBar"),
                           Child(InterchDelayForm, "Ch3ZeroButton"),
                           UnmuteBox(3)};
    for (QWidget* control : controls)
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_FALSE(UnmuteBox(3)->isChecked());

    QTest::mouseClick(ChannelBox(3), Qt::LeftButton);
    for (QWidget* control : controls)
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_FALSE(UnmuteBox(3)->isChecked()) << "muted until MUTE ALL is released";
    EXPECT_EQ(board.Register(0x19), muted);

    Click(OkapiForm, "QK310MuteAllBitBtn");
    EXPECT_EQ(board.Register(0x19) & 0x3F, 0x3F);
}

// --- MUTE ALL ---

TEST_F(VolumePanel, MuteAllTogglesCaptionColourAndTheUnmuteBoxesOfCheckedChannels) {
    StartWithQK310();
    QTest::mouseClick(ChannelBox(6), Qt::LeftButton);  // channel 6 keeps its box as it is
    const uint8_t before = board.Register(0x19);
    board.ClearFrames();

    Click(OkapiForm, "QK310MuteAllBitBtn");
    EXPECT_TRUE(TheSession().MuteAllEngaged(ChipGeneration::First));
    EXPECT_EQ(MuteAll()->text(), "MUTED");
    EXPECT_EQ(TextColor(MuteAll()), BgrColor(clLime));
    Click(OkapiForm, "QK310MuteAllBitBtn");
    EXPECT_FALSE(TheSession().MuteAllEngaged(ChipGeneration::First));
    EXPECT_EQ(MuteAll()->text(), "MUTE ALL");
    EXPECT_EQ(TextColor(MuteAll()), BgrColor(clBlack));
    EXPECT_EQ(board.FrameTexts(), (Frames{Frame(0x19, before & ~0x1F), Frame(0x19, before)}));
}

TEST_F(VolumePanel, MuteAllWithEveryChannelBoxClearedStillWritesTheMuteRegisterUnchanged) {
    StartWithQK310();
    for (int channel = 1; channel <= 6; ++channel)
        QTest::mouseClick(ChannelBox(channel), Qt::LeftButton);
    const uint8_t before = board.Register(0x19);
    board.ClearFrames();

    Click(OkapiForm, "QK310MuteAllBitBtn");
    EXPECT_EQ(MuteAll()->text(), "MUTED");
    EXPECT_EQ(TextColor(MuteAll()), BgrColor(clLime));
    Click(OkapiForm, "QK310MuteAllBitBtn");
    EXPECT_EQ(MuteAll()->text(), "MUTE ALL");
    EXPECT_EQ(board.FrameTexts(), (Frames{Frame(0x19, before), Frame(0x19, before)}));
}

TEST_F(VolumePanel, WhileMutedTheVolumesFollowTheSlidersButOnlyTheMuteRegisterIsSent) {
    StartWithQK310();
    Click(OkapiForm, "QK310MuteAllBitBtn");
    board.ClearFrames();

    Drag(Master(), 0);
    Drag(Offset(3), 20);
    EXPECT_TRUE(board.FrameTexts().empty());
    EXPECT_EQ(MainText("MasterVolReadout"), "24.0 dB");
    EXPECT_EQ(MainText("Ch1Readout"), "24.0 dB");
    EXPECT_EQ(MainText("Ch3HexReadout"), "0x00E5");
    EXPECT_EQ(Image().Current(0x13), 0xF9);
    EXPECT_EQ(Image().Current(0x15), 0xE5);

    Click(OkapiForm, "QK310MuteAllBitBtn");
    const Frames frames = board.FrameTexts();
    ASSERT_EQ(frames.size(), 1u) << "releasing MUTE ALL resends no volume";
    EXPECT_EQ(frames[0].substr(0, 5), "34 19");
    EXPECT_EQ(board.Register(0x13), 0xC9) << "the chip still has the volume of before";
}

TEST_F(VolumePanel, QK330MuteAllTogglesItsOwnState) {
    StartWithQK310();
    auto* button = Child<QPushButton>(OkapiForm, "QK330MuteAllBitBtn");
    button->click();  // its panel is hidden while a first-generation chip is selected
    EXPECT_TRUE(TheSession().MuteAllEngaged(ChipGeneration::QK330));
    EXPECT_FALSE(TheSession().MuteAllEngaged(ChipGeneration::First));
    EXPECT_EQ(button->text(), "MUTED");
    EXPECT_EQ(TextColor(button), BgrColor(clLime));
    button->click();
    EXPECT_FALSE(TheSession().MuteAllEngaged(ChipGeneration::QK330));
    EXPECT_EQ(button->text(), "MUTE ALL");
    EXPECT_EQ(TextColor(button), BgrColor(clBlack));
    // It applies the QK330's soft mute register, never the first generation's mute register.
    EXPECT_EQ(board.FrameTexts(), (Frames{"34 11 00", "34 11 3F"}));
}

// --- Nothing without a chip ---

TEST_F(VolumePanel, WithNoChipButtonCheckedTheVolumeAndChannelHandlersSendNothing) {
    ASSERT_TRUE(CheckedChipButtons().empty());
    Master()->setValue(10);
    Child<QPushButton>(OkapiForm, "MasterVolZeroBitBtn")->click();
    MasterUpDown()->upButton()->click();
    ChannelBox(2)->click();
    Child<QSlider>(OkapiForm, "QK330MasterVolTrackBar")->setValue(5);

    EXPECT_TRUE(board.FrameTexts().empty());
    EXPECT_EQ(MainText("MasterVolReadout"), "0.0 dB") << "unchanged";
    EXPECT_EQ(MainText("Ch1HexReadout"), "0x00");
    EXPECT_TRUE(UnmuteBox(2)->isEnabled());
    EXPECT_TRUE(Offset(2)->isEnabled());
}

TEST_F(VolumePanel, TheQK330MasterVolumeIsIdleWhileAFirstGenerationChipIsSelected) {
    StartWithQK310();
    auto* slider = Child<QSlider>(OkapiForm, "QK330MasterVolTrackBar");
    slider->setValue(20);
    EXPECT_EQ(Child<UpDown>(OkapiForm, "QK330MasterVolUpDown")->position(), 287)
        << "its change handler did not run";
    Child<QPushButton>(OkapiForm, "QK330MasterVolZeroBitBtn")->click();
    EXPECT_EQ(slider->value(), 287);
    EXPECT_EQ(Child<UpDown>(OkapiForm, "QK330MasterVolUpDown")->position(), 287);
    EXPECT_TRUE(board.FrameTexts().empty());
    EXPECT_EQ(Master()->value(), 48);
}

// --- PWM INIT and RESET ---

TEST_F(VolumePanel, PwmInitPulsesSoftResetAndClearsTheBusErrors) {
    StartWithQK310();
    board.SetFault(board::Fault::NoDevice);  // a probe that finds no chip: the ACK error set
    ASSERT_FALSE(Bus().I2cProbe(0x34, 0x00, nullptr, 0));
    board.SetFault(board::Fault::None);
    board.ClearFrames();
    Click(OkapiForm, "QK310PWMResetBitBtn");
    EXPECT_EQ(board.FrameTexts(), (Frames{"34 03 7A", "34 03 7E"}));
    EXPECT_FALSE(Bus().AckError());
    EXPECT_EQ(Child<RadioGroup>(SysControl1Form, "D2RadioGroup")->itemIndex(), 1) << "normal mode";
}

TEST_F(VolumePanel, ResetClearsTheAckErrorAndSelectsTheChipAgain) {
    StartWithQK310();
    board.SetFault(board::Fault::DataNotAcked);
    Click(OkapiForm, "QK310MuteAllBitBtn");  // a write the chip does not acknowledge
    Click(OkapiForm, "QK310MuteAllBitBtn");
    EXPECT_EQ(MainText("ErrorLabel"), "ACK Error");
    board.SetFault(board::Fault::None);
    OpenWindow(DCOffsetForm);
    Drag(Master(), 100);
    board.ClearFrames();

    Click(OkapiForm, "QK310InitSWBitBtn");
    EXPECT_EQ(MainText("ErrorLabel"), "         ");
    EXPECT_FALSE(Bus().AckError());
    EXPECT_FALSE(DCOffsetForm->isVisible()) << "the chip change closes the other windows";
    EXPECT_EQ(StatusLines(), (Frames{"READY", "READY"}));
    const Frames frames = board.FrameTexts();
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.front(), Frame(0x02, board.Register(0x02)));
    EXPECT_EQ(Last(frames, 6), AllVolumes(0xC9));
    EXPECT_EQ(Master()->value(), 48);
}

// --- Windows opened from the panel ---

TEST_F(VolumePanel, EachOpeningButtonOpensItsWindow) {
    StartWithQK310();
    const std::pair<const char*, QWidget*> buttons[] = {
        {"QK310RegistersBitBtn", RegistersForm},
        {"QK310DCOffsetBitBtn", DCOffsetForm},
        {"QK310InterChDelayBitBtn", InterchDelayForm},
        {"QK310ChannelSetupBitBtn", SixChBalanceForm},
        {"QK330RegistersBitBtn", QK330RegForm},
        {"QK330DCOffsetBitBtn", QK330DCOffsetForm},
        {"QK330InterChDelayBitBtn", QK330InterchDelayForm},
        {"QK330ChannelSetupBitBtn", QK330SixChBalanceForm},
        {"ConfCtlBitBtn", QK330ChConfigControlRegForm},
        {"WatchBitBtn", StatusWatchForm},
        {"QK330MonitorBitBtn", BusMonitorForm},
    };
    for (auto [name, window] : buttons) {
        EXPECT_FALSE(window->isVisible()) << name;
        Child<QPushButton>(OkapiForm, name)->click();  // the QK330 panel is hidden
        EXPECT_TRUE(window->isVisible()) << name;
    }
    EXPECT_EQ(VisibleWindows().size(), std::size(buttons));
    EXPECT_TRUE(board.FrameTexts().empty());
    EXPECT_TRUE(dialogs.empty());
}

// --- The first selection after an off-line START ---

class FirstSelection : public VolumePanel {
  protected:
    void SetUp() override {
        QFile::remove("DataLog.txt");
        VolumePanel::SetUp();
    }
    void TearDown() override {
        VolumePanel::TearDown();
        QFile::remove("DataLog.txt");
    }
    static Frames LogLines() {
        QFile file("DataLog.txt");
        if (!file.open(QIODevice::ReadOnly)) return {"<no file>"};
        Frames lines;
        for (const QByteArray& line : file.readAll().split('\n'))
            if (!line.isEmpty()) lines.push_back(line.toStdString());
        return lines;
    }
    static Frames LoggedVolumes(std::initializer_list<int> channels) {
        Frames lines;
        for (int channel : channels)
            lines.push_back("{0x34 0x" + QString::number(0x12 + channel, 16).toStdString() +
                            " 0xc9 }");
        return lines;
    }
};

TEST_F(FirstSelection, OffLineEndsWithTheCheckedChannelsThenAllSixAtZeroDb) {
    Click(OkapiForm, "DataLogCheckBox");
    ClickOffLine();
    ClickStart();
    Click(OkapiForm, "QK310RadioButton");

    EXPECT_TRUE(board.FrameTexts().empty()) << "off line";
    const Frames lines = LogLines();
    const Frames expected = LoggedVolumes({1, 2, 3, 4, 5, 6, 1, 2, 3, 4, 5, 6});
    EXPECT_EQ(Last(lines, 12), expected);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], "{0x34 0x2 0x5 }");
    EXPECT_EQ(lines[1], "{0x34 0x3 0x7e }");
    EXPECT_EQ(MainText("MasterVolReadout"), "0.0 dB");
    EXPECT_EQ(MainText("Ch6HexReadout"), "0x00C9");
}

TEST_F(FirstSelection, AChannelBoxClearedBeforehandIsLeftOutOfTheDefaults) {
    Click(OkapiForm, "DataLogCheckBox");
    ClickOffLine();
    ClickStart();
    ChannelBox(5)->click();  // no chip yet: only the box changes
    Click(OkapiForm, "QK310RadioButton");
    EXPECT_EQ(Last(LogLines(), 11), LoggedVolumes({1, 2, 3, 4, 6, 1, 2, 3, 4, 5, 6}));
}

}  // namespace
}  // namespace qk::test
