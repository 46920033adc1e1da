#include "gui/qk330/QK330ErrAndAutomuteDelayunit.h"
#include "gui/qk330/QK330ModIndexunit.h"
#include "gui/qk330/QK330SerialDataInterfaceunit.h"
#include "gui/qk330/QK330Syscontrol1unit.h"
#include "gui/qk330/QK330Syscontrol2unit.h"
#include "gui/qk330/QK330Syscontrol3unit.h"
#include "gui/widgets/RadioGroup.h"
#include "tests/gui/QK330Fixture.h"

namespace qk::test {
namespace {

// One radio item chosen by the user.
struct Choice {
    const char* group;
    int item;
};

// The setup windows of the register editor's system control, modulation index, serial format
// and delay registers, opened from the editor on a selected QK330.
class QK330SetupWindows : public QK330Test {
  protected:
    static void Choose(QWidget* window, const Choice& choice) {
        QRadioButton* item = Child<RadioGroup>(window, choice.group)->button(choice.item);
        QTest::mouseClick(item, Qt::LeftButton, {}, QPoint(8, item->height() / 2));
    }
    static QString Selected(QWidget* window, const char* group) {
        auto* radios = Child<RadioGroup>(window, group);
        return radios->button(radios->itemIndex())->text();
    }
};

struct ApplyCase {
    QWidget* (*window)();
    std::vector<Choice> choices;
    const char* frame;
};

TEST_F(QK330SetupWindows, ApplySendsTheChosenFields) {
    const ApplyCase cases[] = {
        {[]() -> QWidget* { return QK330SysControl1Form; },
         {{"SpeedRadioGroup", 1},
          {"SCLKRateRadioGroup", 2},
          {"MCLKOUTControlsRadioGroup", 1},
          {"MCLKRadioGroup", 6}},
         "34 03 7E"},
        {[]() -> QWidget* { return QK330SysControl2Form; },
         {{"D7RadioGroup", 0},
          {"D5RadioGroup", 0},
          {"D2RadioGroup", 0},
          {"D1RadioGroup", 0},
          {"D0RadioGroup", 0}},
         "34 04 01"},
        {[]() -> QWidget* { return QK330SysControl2Form; },
         {{"D7RadioGroup", 1},
          {"D5RadioGroup", 1},
          {"D2RadioGroup", 1},
          {"D1RadioGroup", 1},
          {"D0RadioGroup", 1}},
         "34 04 A6"},
        {[]() -> QWidget* { return QK330SysControl3Form; },
         {{"PLLMultiplyRadioGroup", 10}, {"DeemphasisRadioGroup", 3}, {"CLKValidRadioGroup", 1}},
         "34 05 A7"},
        {[]() -> QWidget* { return QK330ModIndexForm; }, {{"MOdIndexRadioGroup", 6}}, "34 0D 06"},
        {[]() -> QWidget* { return QK330SerialDataInterfaceCtlForm; },
         {{"SerialDataFormatRadioGroup", 10}},
         "34 0E 0A"},
        {[]() -> QWidget* { return QK330ErrAndAutomuteDelayForm; },
         {{"AutoMuteDelayRadioGroup", 9}, {"ErrorRecoveryDelayRadioGroup", 15}},
         "34 13 F9"},
    };
    for (const ApplyCase& c : cases) {
        QWidget* window = c.window();
        OpenWindow(window);
        for (const Choice& choice : c.choices) Choose(window, choice);
        EXPECT_TRUE(board.FrameTexts().empty()) << c.frame;  // a radio click sends nothing
        Click(window, "ApplyButton");
        EXPECT_EQ(board.FrameTexts(), Texts{c.frame});
        board.ClearFrames();
    }
}

TEST_F(QK330SetupWindows, SelectionShowsTheDefaultsInTheWindows) {
    const std::tuple<QWidget*, const char*, const char*> cases[] = {
        {QK330SysControl1Form, "SCLKRateRadioGroup", "SCLK Rate = 64 Fs"},
        {QK330SysControl1Form, "MCLKRadioGroup", "MCLK Frequency = 256"},
        {QK330SysControl2Form, "D0RadioGroup", "Slave Mode"},
        {QK330SysControl2Form, "D2RadioGroup", "Normal Mode"},
        {QK330SysControl3Form, "CLKValidRadioGroup", "ClkValid"},
        {QK330ModIndexForm, "MOdIndexRadioGroup", "1X Mode=94.5%,  2X Mode=89.1%"},
        {QK330SerialDataInterfaceCtlForm, "SerialDataFormatRadioGroup", "I2S 24 Bit"},
        {QK330ErrAndAutomuteDelayForm, "AutoMuteDelayRadioGroup", "  5 ms"},
        {QK330ErrAndAutomuteDelayForm, "ErrorRecoveryDelayRadioGroup", "15 TC Clocks"},
    };
    for (auto [window, group, text] : cases) EXPECT_EQ(Selected(window, group), text) << group;
}

TEST_F(QK330SetupWindows, RefreshFromFFhClampsSystemControl1) {
    ShowBits(QK330RegForm->Group(0x03), 0xFF);
    Click(QK330RegForm, "Reg03SendButton");
    EXPECT_EQ(Selected(QK330SysControl1Form, "SpeedRadioGroup"), "Normal Mode");
    EXPECT_EQ(Selected(QK330SysControl1Form, "SCLKRateRadioGroup"), "SCLK Rate Unchecked");
    EXPECT_EQ(Selected(QK330SysControl1Form, "MCLKRadioGroup"), "MCLK Frequency = 768");
    Click(QK330SysControl1Form, "ApplyButton");
    EXPECT_EQ(board.FrameTexts(), (Texts{"34 03 FF", "34 03 FF", "34 03 BE"}));
    EXPECT_EQ(Shows(0x03), 0xBE);
}

TEST_F(QK330SetupWindows, ValuesWithoutAnItemKeepTheChoice) {
    ShowBits(QK330RegForm->Group(0x0E), 0x0C);
    ShowBits(QK330RegForm->Group(0x13), 0xFC);
    Click(QK330RegForm, "Reg0ESendButton");
    Click(QK330RegForm, "Reg13SendButton");
    EXPECT_EQ(Selected(QK330SerialDataInterfaceCtlForm, "SerialDataFormatRadioGroup"),
              "I2S 24 Bit");
    EXPECT_EQ(Selected(QK330ErrAndAutomuteDelayForm, "AutoMuteDelayRadioGroup"), "  5 ms");
    EXPECT_EQ(board.FrameTexts(), (Texts{"34 0E 0C", "34 0E 0C", "34 13 FC", "34 13 FC"}));
}

TEST_F(QK330SetupWindows, CancelHidesAndSendsNothingOkAppliesAndHides) {
    OpenWindow(QK330ModIndexForm);
    Choose(QK330ModIndexForm, {"MOdIndexRadioGroup", 0});
    Click(QK330ModIndexForm, "CancelButton");
    EXPECT_FALSE(QK330ModIndexForm->isVisible());
    EXPECT_TRUE(board.FrameTexts().empty());
    OpenWindow(QK330ModIndexForm);
    Choose(QK330ModIndexForm, {"MOdIndexRadioGroup", 2});
    Click(QK330ModIndexForm, "OKButton");
    EXPECT_FALSE(QK330ModIndexForm->isVisible());
    EXPECT_EQ(board.FrameTexts(), Texts{"34 0D 02"});
    EXPECT_EQ(Shows(0x0D), 0x02);
}

}  // namespace
}  // namespace qk::test
