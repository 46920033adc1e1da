// The System Control 0 / 1, Test Register 0 and test register windows, driven by clicks.
#include <QCheckBox>
#include <QRadioButton>
#include <string>

#include "gui/gen1/Registersunit.h"
#include "gui/gen1/Syscontrol0unit.h"
#include "gui/gen1/Syscontrol1unit.h"
#include "gui/gen1/Testreg0unit.h"
#include "gui/gen1/Testregunit.h"
#include "tests/gui/ProgramFixture.h"

namespace qk::test {
namespace {

using Frames = std::vector<std::string>;

class SystemControlWindows : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        for (QWidget* window : std::initializer_list<QWidget*>{
                 RegistersForm, SysControl0Form, SysControl1Form, TestReg0Form, TestRegForm})
            OpenWindow(window);
    }

    QK310RegisterImage& Image() { return TheSession().FirstGenerationImage(); }
};

TEST_F(SystemControlWindows, SysControl0ApplyEncodesTheFourFields) {
    Choose(SysControl0Form, "SpeedRadioGroup", 0);               // "Quad Speed": 10b
    Choose(SysControl0Form, "DeemphasisControlsRadioGroup", 0);  // I2C controls: 1
    Choose(SysControl0Form, "DeemphasisRadioGroup", 2);          // 48 kHz: 01b
    Choose(SysControl0Form, "FormatRadioGroup", 0);              // DSP frame: 111b
    EXPECT_TRUE(board.FrameTexts().empty()) << "choosing alone sends nothing";
    Click(SysControl0Form, "ApplyButton");
    EXPECT_EQ(board.FrameTexts(), Frames{"34 02 AF"});
    EXPECT_EQ(Image().CurrentImage[2], 0xAF);
    EXPECT_EQ(PackBits(RegistersForm->Group(0x02)), 0xAF);
}

TEST_F(SystemControlWindows, InitialSelectionsApplyThePowerOnValues) {
    const std::pair<QWidget*, const char*> cases[] = {
        {SysControl0Form, "34 02 05"}, {SysControl1Form, "34 03 7E"}, {TestReg0Form, "34 1E 00"}};
    for (const auto& [window, frame] : cases) {
        board.ClearFrames();
        Click(window, "ApplyButton");
        EXPECT_EQ(board.FrameTexts(), Frames{frame});
    }
}

TEST_F(SystemControlWindows, SysControl0ReloadLeavesSpeedAloneFor11b) {
    Choose(SysControl0Form, "SpeedRadioGroup", 1);  // "Double Speed"
    for (const char* box : {"CheckBox02_7", "CheckBox02_6", "CheckBox02_2", "CheckBox02_0"})
        Toggle(RegistersForm, box);  // C5h
    SysControl0Form->Reload();
    EXPECT_EQ(Selected(SysControl0Form, "SpeedRadioGroup"), 1);
    EXPECT_EQ(Selected(SysControl0Form, "DeemphasisControlsRadioGroup"), 1);  // pin controls
    EXPECT_EQ(Selected(SysControl0Form, "DeemphasisRadioGroup"), 3);          // none
    EXPECT_EQ(Selected(SysControl0Form, "FormatRadioGroup"), 2);              // 24 Bit IIS
    EXPECT_EQ(board.FrameTexts(), Frames{"34 02 C5"});
    EXPECT_EQ(Image().CurrentImage[2], 0xC5);
}

TEST_F(SystemControlWindows, SysControl0ReloadSelectsEveryEncodedItem) {
    const struct {
        uint8_t value;
        int speed, controls, deemphasis, format;
    } cases[] = {{0x98, 0, 1, 0, 7},
                 {0x71, 1, 0, 1, 6},
                 {0x13, 2, 1, 1, 4},
                 {0x0B, 2, 1, 2, 4},
                 {0x2F, 2, 0, 2, 0}};
    for (const auto& c : cases) {
        ShowBits(RegistersForm->Group(0x02), c.value);
        SysControl0Form->Reload();
        EXPECT_EQ(Selected(SysControl0Form, "SpeedRadioGroup"), c.speed);
        EXPECT_EQ(Selected(SysControl0Form, "DeemphasisControlsRadioGroup"), c.controls);
        EXPECT_EQ(Selected(SysControl0Form, "DeemphasisRadioGroup"), c.deemphasis);
        EXPECT_EQ(Selected(SysControl0Form, "FormatRadioGroup"), c.format);
        board.ClearFrames();
        Click(SysControl0Form, "ApplyButton");
        EXPECT_EQ(board.Register(0x02), c.value) << "reload and APPLY agree";
    }
}

TEST_F(SystemControlWindows, SysControl1SoftResetThenNormalMode) {
    Choose(SysControl1Form, "D2RadioGroup", 0);
    Click(SysControl1Form, "ApplyButton");
    Choose(SysControl1Form, "D2RadioGroup", 1);
    Click(SysControl1Form, "ApplyButton");
    SysControl1Form->ApplyD2Item(0);  // as PWM INIT does it
    EXPECT_EQ(board.FrameTexts(), (Frames{"34 03 7A", "34 03 7E", "34 03 7A"}));
    EXPECT_EQ(PackBits(RegistersForm->Group(0x03)), 0x7A);
}

TEST_F(SystemControlWindows, SysControl1ReloadKeepsBit7ButApplyClearsIt) {
    ShowBits(RegistersForm->Group(0x03), 0xA5);
    SysControl1Form->Reload();
    const char* groups[] = {"D0RadioGroup", "D1RadioGroup", "D2RadioGroup", "D3RadioGroup",
                            "D4RadioGroup", "D5RadioGroup", "D6RadioGroup"};
    for (int bit = 0; bit < 7; ++bit)
        EXPECT_EQ(Selected(SysControl1Form, groups[bit]), (0xA5 >> bit) & 1) << bit;
    Click(SysControl1Form, "ApplyButton");
    EXPECT_EQ(board.FrameTexts(), (Frames{"34 03 A5", "34 03 25"}));
    EXPECT_FALSE(Child<QCheckBox>(RegistersForm, "CheckBox03_7")->isChecked());
}

TEST_F(SystemControlWindows, SysControl1DefaultRewrites03hOnlyAndStaysOpen) {
    Image().DefaultImage[2] = 0x05;
    Image().DefaultImage[3] = 0x5A;  // as read back at detection
    Click(SysControl1Form, "DefaultButton");
    EXPECT_EQ(board.FrameTexts(), Frames{"34 03 5A"});
    EXPECT_EQ(Image().CurrentImage[3], 0x5A);
    EXPECT_EQ(PackBits(RegistersForm->Group(0x03)), 0x5A);
    EXPECT_EQ(Selected(SysControl1Form, "D6RadioGroup"), 1);
    EXPECT_EQ(Selected(SysControl1Form, "D2RadioGroup"), 0);
    EXPECT_TRUE(SysControl1Form->isVisible());
}

TEST_F(SystemControlWindows, SysControl0DefaultRestores02h) {
    Image().DefaultImage[2] = 0x45;
    Click(SysControl0Form, "DefaultButton");
    EXPECT_EQ(board.FrameTexts(), Frames{"34 02 45"});
    EXPECT_EQ(Selected(SysControl0Form, "SpeedRadioGroup"), 1);
    EXPECT_TRUE(SysControl0Form->isVisible());
}

TEST_F(SystemControlWindows, OkAppliesAndClosesCancelOnlyCloses) {
    Choose(SysControl0Form, "FormatRadioGroup", 7);
    Click(SysControl0Form, "CancelButton");
    EXPECT_FALSE(SysControl0Form->isVisible());
    EXPECT_TRUE(board.FrameTexts().empty());
    EXPECT_EQ(Selected(SysControl0Form, "FormatRadioGroup"), 7) << "kept until the next reload";

    Click(TestReg0Form, "OKButton");
    EXPECT_FALSE(TestReg0Form->isVisible());
    EXPECT_EQ(board.FrameTexts(), Frames{"34 1E 00"});
}

TEST_F(SystemControlWindows, WhileMuteAllIsEngagedApplyChangesBoxesAndImageOnly) {
    EngageQK310MuteAll();
    Choose(SysControl1Form, "D4RadioGroup", 0);
    Click(SysControl1Form, "ApplyButton");
    Click(SysControl0Form, "DefaultButton");
    Choose(TestReg0Form, "D3RadioGroup", 1);
    Click(TestReg0Form, "ApplyButton");
    EXPECT_EQ(Image().CurrentImage[3], 0x6E);
    EXPECT_EQ(PackBits(RegistersForm->Group(0x03)), 0x6E);
    EXPECT_EQ(Image().CurrentImage[27], 0x08);
    EXPECT_TRUE(board.FrameTexts().empty());
}

TEST_F(SystemControlWindows, TestReg0ApplySetsTheTestWindowBoxes) {
    Choose(TestReg0Form, "D7RadioGroup", 1);
    Choose(TestReg0Form, "D2RadioGroup", 1);
    Click(TestReg0Form, "ApplyButton");
    EXPECT_EQ(board.FrameTexts(), Frames{"34 1E 84"});
    EXPECT_EQ(PackBits(TestRegForm->Group(0x1E)), 0x84);
    EXPECT_EQ(Image().CurrentImage[27], 0x84);
}

TEST_F(SystemControlWindows, TestWindowApplyOf1F) {
    Toggle(TestRegForm, "CheckBox1F_7");  // "Test Enable"
    Toggle(TestRegForm, "CheckBox1F_0");  // "PLL Bypass"
    Click(TestRegForm, "Reg1FButton");
    EXPECT_EQ(board.FrameTexts(), Frames{"34 1F 81"});
    EXPECT_EQ(Image().CurrentImage[28], 0x81);
}

TEST_F(SystemControlWindows, TestWindowApplyOf1EReloadsTestRegister0) {
    Toggle(TestRegForm, "CheckBox1E_6");
    Toggle(TestRegForm, "CheckBox1E_0");
    Click(TestRegForm, "Reg1ESendButton");
    EXPECT_EQ(board.FrameTexts(), Frames{"34 1E 41"}) << "the reload writes nothing";
    EXPECT_EQ(Selected(TestReg0Form, "D6RadioGroup"), 1);
    EXPECT_EQ(Selected(TestReg0Form, "D0RadioGroup"), 1);
    EXPECT_EQ(Selected(TestReg0Form, "D7RadioGroup"), 0);
}

TEST_F(SystemControlWindows, TestWindowReadAll) {
    board.SetRegister(0x1E, 0x42);
    board.SetRegister(0x1F, 0x80);
    Click(TestRegForm, "ReadAllButton");
    EXPECT_EQ(board.FrameTexts(), (Frames{"34 1D", "35 33", "34 1E", "35 42", "34 1F", "35 80"}));
    EXPECT_EQ(PackBits(TestRegForm->Group(0x1D)), 0x33);
    EXPECT_EQ(PackBits(TestRegForm->Group(0x1E)), 0x42);
    EXPECT_EQ(PackBits(TestRegForm->Group(0x1F)), 0x80);
    EXPECT_EQ(Image().CurrentImage[26], 0x33);
    EXPECT_EQ(Image().CurrentImage[27], 0x42);
    EXPECT_EQ(Image().CurrentImage[28], 0x80);
    EXPECT_EQ(Selected(TestReg0Form, "D6RadioGroup"), 1);
    EXPECT_EQ(Selected(TestReg0Form, "D1RadioGroup"), 1);
    EXPECT_EQ(Selected(TestReg0Form, "D0RadioGroup"), 0);
}

TEST_F(SystemControlWindows, TestWindowReadOnlyAndSetup) {
    TestReg0Form->hide();
    board.SetRegister(0x1D, 0x21);  // what the chip's dither register holds now
    ShowBits(TestRegForm->Group(0x1D), 0x00);
    Click(TestRegForm, "Reg1DButton");
    EXPECT_EQ(board.FrameTexts(), (Frames{"34 1D", "35 21"}));
    EXPECT_EQ(PackBits(TestRegForm->Group(0x1D)), 0x21);
    Click(TestRegForm, "Reg1EButton");
    EXPECT_TRUE(TestReg0Form->isVisible());
}

TEST_F(SystemControlWindows, TestWindowCloseDiscardsUnappliedEdits) {
    Image().CurrentImage[26] = 0x33;
    Image().CurrentImage[27] = 0x05;
    Image().CurrentImage[28] = 0x01;
    Toggle(TestRegForm, "CheckBox1E_7");
    Toggle(TestRegForm, "CheckBox1F_7");
    Click(TestRegForm, "CancelButton");
    EXPECT_FALSE(TestRegForm->isVisible());
    EXPECT_EQ(PackBits(TestRegForm->Group(0x1D)), 0x33);
    EXPECT_EQ(PackBits(TestRegForm->Group(0x1E)), 0x05);
    EXPECT_EQ(PackBits(TestRegForm->Group(0x1F)), 0x01);
    EXPECT_TRUE(board.FrameTexts().empty());
}

TEST_F(SystemControlWindows, CaptionsItemsAndHints) {
    auto* speed = Child<RadioGroup>(SysControl0Form, "SpeedRadioGroup");
    EXPECT_EQ(speed->title(), "Speed");
    EXPECT_EQ(speed->items(), (QStringList{"Quad Speed", "Double Speed", "Normal Mode"}));
    EXPECT_EQ(Child<RadioGroup>(SysControl0Form, "FormatRadioGroup")->items().at(5),
              "24 Bit, MSB First; Right Justified");
    EXPECT_EQ(Child<RadioGroup>(SysControl1Form, "D0RadioGroup")->title(), "D0 Select");
    EXPECT_EQ(Child<RadioGroup>(TestReg0Form, "D7RadioGroup")->items().at(1),
              "Enable MCLK_OUT off-chip in Slave Mode");
    const struct {
        const char* name;
        const char* caption;
        const char* hint;
    } buttons[] = {{"OKButton", "OK", "Apply and Close"},
                   {"ApplyButton", "APPLY", "Save changes and send all data"},
                   {"CancelButton", "CANCEL", "Cancel changes and Close"},
                   {"DefaultButton", "DEFAULT", "Apply and Close"}};
    for (const auto& b : buttons) {
        auto* button = Child<QAbstractButton>(SysControl1Form, b.name);
        EXPECT_EQ(button->text(), b.caption);
        EXPECT_EQ(button->toolTip(), b.hint);
    }
    EXPECT_EQ(TestReg0Form->findChild<QWidget*>("DefaultButton"), nullptr);
}

}  // namespace
}  // namespace qk::test
