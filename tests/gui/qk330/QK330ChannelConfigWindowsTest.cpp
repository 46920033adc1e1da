// The QK330 channel configuration register window and its channel setup window, driven by clicks.
#include <QLabel>

#include "tests/gui/QK330WindowsSupport.h"

namespace qk::test {
namespace {

class ChannelConfigWindows : public QK330WindowsTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Open({QK330ChConfigControlRegForm, QK330ChConfigControlForm});
    }
    static QWidget* RegisterWindow() { return QK330ChConfigControlRegForm; }
    static QWidget* SetupWindow() { return QK330ChConfigControlForm; }
};

TEST_F(ChannelConfigWindows, ApplyToAllSendsTheSameByteToEveryChannelInOrder) {
    Choose(SetupWindow(), "PSURadioGroup", 1);  // "SE Mode PSU Enabled"
    for (const char* group : {"MStateRadioGroup", "NoiseShaperRadioGroup", "CondJumpRadioGroup"})
        Choose(SetupWindow(), group, 1);
    EXPECT_TRUE(board.FrameTexts().empty()) << "choosing alone sends nothing";
    Click(SetupWindow(), "ApplyButton");
    EXPECT_EQ(board.FrameTexts(),
              (Frames{"34 06 B8", "34 07 B8", "34 08 B8", "34 09 B8", "34 0A B8", "34 0B B8"}));
    EXPECT_EQ(Boxes(RegisterWindow(), "CheckBox0B_"), 0xB8);
    EXPECT_EQ(TheSession().QK330Image().Current(0x0B), 0xB8);
}

TEST_F(ChannelConfigWindows, SetupOfOneChannelAppliesThePsuModeToItAlone) {
    const std::pair<int, const char*> cases[] = {{0, "34 07 00"}, {1, "34 07 80"}, {2, "34 07 40"}};
    Click(RegisterWindow(), "Reg07Button");
    EXPECT_EQ(Selected(SetupWindow(), "ChannelSelectRadioGroup"), 1);
    for (const auto& [psu, frame] : cases) {
        board.ClearFrames();
        Choose(SetupWindow(), "PSURadioGroup", psu);
        Click(SetupWindow(), "OKButton");
        EXPECT_EQ(board.FrameTexts(), Frames{frame}) << "PSU item " << psu;
        EXPECT_FALSE(SetupWindow()->isVisible());
        Click(RegisterWindow(), "Reg07Button");
    }
}

TEST_F(ChannelConfigWindows, RegisterApplyRefreshesTheSetupWindowOnlyWhenItEditsTheChannel) {
    const std::pair<int, Frames> cases[] = {
        {1, {"34 08 10"}}, {2, {"34 08 10", "34 08 10"}}, {6, {"34 08 10", "34 08 10"}}};
    Toggle(RegisterWindow(), "CheckBox08_4");
    for (const auto& [selected, frames] : cases) {
        Choose(SetupWindow(), "ChannelSelectRadioGroup", selected);
        Choose(SetupWindow(), "NoiseShaperRadioGroup", 0);
        board.ClearFrames();
        Click(RegisterWindow(), "Reg08SendButton");
        EXPECT_EQ(board.FrameTexts(), frames) << "selected item " << selected;
        EXPECT_EQ(Selected(SetupWindow(), "NoiseShaperRadioGroup"), frames.size() == 2 ? 1 : 0);
    }
}

TEST_F(ChannelConfigWindows, ReadAllWritesEachRegisterBackAndKeepsAnUnnamedPsuMode) {
    for (uint8_t reg = 0x06; reg <= 0x09; ++reg) board.SetRegister(reg, 0x00);
    board.SetRegister(0x0A, 0x80);  // "SE Mode PSU Enabled"
    board.SetRegister(0x0B, 0xC7);  // both PSU bits and the unused bits set
    Choose(SetupWindow(), "MStateRadioGroup", 1);
    board.ClearFrames();
    Click(RegisterWindow(), "ReadAllButton");
    Frames expected;
    for (const std::string reg : {"06", "07", "08", "09"})
        expected.insert(expected.end(), {"34 " + reg, "35 00", "34 " + reg + " 00"});
    expected.insert(expected.end(), {"34 0A", "35 80", "34 0A 80", "34 0B", "35 C7", "34 0B C7"});
    EXPECT_EQ(board.FrameTexts(), expected);
    EXPECT_EQ(Boxes(RegisterWindow(), "CheckBox0B_"), 0xC7);
    EXPECT_EQ(Selected(SetupWindow(), "PSURadioGroup"), 1) << "D7-D6 = 11b names no item";
    EXPECT_EQ(Selected(SetupWindow(), "MStateRadioGroup"), 0);

    // The register window keeps D2-D0; the setup window replaces the whole byte.
    board.ClearFrames();
    Click(RegisterWindow(), "Reg0BSendButton");
    Click(RegisterWindow(), "Reg0BButton");
    Choose(SetupWindow(), "PSURadioGroup", 2);
    Click(SetupWindow(), "ApplyButton");
    EXPECT_EQ(board.FrameTexts(), (Frames{"34 0B C7", "34 0B C7", "34 0B 40"}));
}

TEST_F(ChannelConfigWindows, ChannelBoxesCarryTheirCaptionsAndHints) {
    struct Case {
        const char* box;
        const char* caption;
        const char* hint;
        bool enabled;
    };
    const Case cases[] = {{"CheckBox09_7", "MODE", "", true},
                          {"CheckBox09_5", "M STATE", "High-Z Output for M State", true},
                          {"CheckBox09_4", "NOISE DIS", "NOISE SHAPER DISABLED", true},
                          {"CheckBox09_3", "JUMP ENAB", "", true},
                          {"CheckBox09_0", "NOT USED", "", false}};
    for (const Case& c : cases) {
        auto* box = Child<QCheckBox>(RegisterWindow(), c.box);
        EXPECT_EQ(box->text(), c.caption);
        EXPECT_EQ(box->toolTip(), c.hint) << c.box;
        EXPECT_EQ(box->isEnabled(), c.enabled) << c.box;
    }
    std::vector<QString> hints;
    for (QLabel* label : Child(RegisterWindow(), "Reg09BitPanel")->findChildren<QLabel*>())
        if (!label->toolTip().isEmpty()) hints.push_back(label->text() + ": " + label->toolTip());
    EXPECT_EQ(hints, std::vector<QString>{"D3: Conditional Jump Enabled"});
}

}  // namespace
}  // namespace qk::test
