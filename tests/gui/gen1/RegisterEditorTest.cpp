#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <algorithm>

#include "gui/gen1/QK310unit.h"
#include "gui/gen1/Registersunit.h"
#include "gui/gen1/Syscontrol0unit.h"
#include "gui/gen1/Syscontrol1unit.h"
#include "gui/gen1/Testregunit.h"
#include "tests/gui/ProgramFixture.h"
#include "tests/gui/RegisterBoxesSupport.h"

namespace qk::test {
namespace {

using Texts = std::vector<std::string>;

// The register editor open on a QK310 board, driven by the user.
class RegisterEditor : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        OpenWindow(RegistersForm);
    }

    static QCheckBox* Box(uint8_t reg, int bit) { return RegistersForm->Group(reg)[bit]; }
    static uint8_t Shows(uint8_t reg) { return Shown(RegistersForm->Group(reg)); }
    static uint8_t Stored(uint8_t reg) { return TheSession().FirstGenerationImage().Current(reg); }
    static QComboBox* AutoMuteList() {
        return Child<QComboBox>(RegistersForm, "AutoMuteDelayComboBox");
    }
    static QComboBox* AbdList() { return Child<QComboBox>(RegistersForm, "ABDdelayComboBox"); }
    static void Press(const char* button) { Click(RegistersForm, button); }

    // Replaces a list's text by typing, one frame per keystroke.
    static void TypeInto(QComboBox* list, const char* text) {
        QTest::keyClick(list->lineEdit(), Qt::Key_A, Qt::ControlModifier);  // select all
        QTest::keyClicks(list->lineEdit(), text);
    }

    // A user's choice of item from a list's drop-down.
    static void Choose(QComboBox* list, int item) {
        list->showPopup();
        QAbstractItemView* view = list->view();
        const QModelIndex index = list->model()->index(item, 0);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    }

    // The frames of register reads only ([sub-address] then the byte the chip sent).
    Texts ReadFrames() const {
        Texts frames = board.FrameTexts();
        std::erase_if(frames, [](const std::string& f) { return f.size() > 5; });
        return frames;
    }
};

TEST_F(RegisterEditor, ListsStartWithTheItemOfTheirInitialText) {
    EXPECT_EQ(AutoMuteList()->currentText(), "5 ms");
    EXPECT_EQ(AutoMuteList()->currentIndex(), 0);
    EXPECT_EQ(AbdList()->currentText(), "11 DCLK cycle");
    EXPECT_EQ(AbdList()->currentIndex(), 11);
    EXPECT_TRUE(board.FrameTexts().empty());
}

TEST_F(RegisterEditor, ReadButtonsShowTheChipsStatusRegisters) {
    board.SetRegister(0x01, 0x5A);
    Press("Reg00Button");
    Press("Reg01Button");
    EXPECT_EQ(board.FrameTexts(), (Texts{"34 00", "35 27", "34 01", "35 5A"}));
    EXPECT_EQ(Shows(0x00), 0x27);
    EXPECT_EQ(Shows(0x01), 0x5A);
    EXPECT_EQ(Stored(0x00), 0x27);
    EXPECT_EQ(Stored(0x01), 0x5A);
}

class ZeroButton : public RegisterEditor, public ::testing::WithParamInterface<uint8_t> {};

TEST_P(ZeroButton, AlwaysWrites80hAndLeavesFSChecked) {
    board.SetRegister(0x01, GetParam());
    Press("Reg01Button");
    ASSERT_EQ(Shows(0x01), GetParam());
    board.ClearFrames();

    Press("Reg01SendButton");
    EXPECT_EQ(board.FrameTexts(), Texts{"34 01 80"});
    EXPECT_EQ(Shows(0x01), 0x80);
    EXPECT_TRUE(Box(0x01, 7)->isChecked()) << "FS";
    EXPECT_EQ(Stored(0x01), 0x80);
}

INSTANTIATE_TEST_SUITE_P(ErrorStatusBefore, ZeroButton, ::testing::Values(0x00, 0x7F, 0x80, 0xFF));

TEST_F(RegisterEditor, ApplyOfSysControl0WritesTheCheckedBits) {
    ClickBox(Box(0x02, 2));
    ClickBox(Box(0x02, 0));
    Press("Reg02SendButton");
    // The editor's own write, then the System Control 0 window's reload writes it once more.
    EXPECT_EQ(board.FrameTexts(), (Texts{"34 02 05", "34 02 05"}));
    EXPECT_EQ(Shows(0x02), 0x05);
    EXPECT_EQ(Stored(0x02), 0x05);
}

TEST_F(RegisterEditor, ApplyOfSysControl1AndErrorRecoveryWriteTheirGroups) {
    ClickBox(Box(0x03, 6));  // 0x40
    ClickBox(Box(0x03, 1));  // 0x02
    Press("Reg03SendButton");
    EXPECT_EQ(board.FrameTexts(), (Texts{"34 03 42", "34 03 42"}));  // editor, then reload
    board.ClearFrames();

    ClickBox(Box(0x04, 5));  // initially 0x3F: channel 6's bit off
    Press("Reg04Button");
    EXPECT_EQ(board.FrameTexts(), Texts{"34 04 1F"});
    EXPECT_EQ(Stored(0x04), 0x1F);
}

TEST_F(RegisterEditor, ChannelMuteApplyWritesGroup19) {
    ClickBox(Box(0x19, 0));
    ClickBox(Box(0x19, 3));
    Press("Reg19Button");
    EXPECT_EQ(board.FrameTexts(), Texts{"34 19 36"});
    EXPECT_EQ(Stored(0x19), 0x36);
    EXPECT_EQ(board.Register(0x19), 0x36);
}

TEST_F(RegisterEditor, WhileMuteAllIsEngagedOnlyTheChannelMuteApplyReachesTheChip) {
    EngageQK310MuteAll();
    ClickBox(Box(0x02, 7));
    Press("Reg02SendButton");
    Press("Reg03SendButton");
    ClickBox(Box(0x04, 0));
    Press("Reg04Button");
    Press("Reg01SendButton");
    Choose(AutoMuteList(), 9);
    TypeInto(AbdList(), "x");
    EXPECT_TRUE(board.FrameTexts().empty());
    // The image and the boxes changed all the same.
    EXPECT_EQ(Stored(0x02), 0x80);
    EXPECT_EQ(Stored(0x04), 0x3E);
    EXPECT_EQ(Stored(0x01), 0x80);
    EXPECT_EQ(Stored(0x05), 0x09);
    EXPECT_EQ(Stored(0x12), 0x00);

    ClickBox(Box(0x19, 1));
    Press("Reg19Button");
    EXPECT_EQ(board.FrameTexts(), Texts{"34 19 3D"});
}

TEST_F(RegisterEditor, ChoosingADelayItemWritesItsIndex) {
    Choose(AutoMuteList(), 9);
    QTest::keyClick(AutoMuteList(), Qt::Key_Up);
    Choose(AbdList(), 0);
    Choose(AbdList(), 31);
    Choose(AbdList(), 31);  // the same item again is a change as well
    EXPECT_EQ(board.FrameTexts(),
              (Texts{"34 05 09", "34 05 08", "34 12 00", "34 12 1F", "34 12 1F"}));
    EXPECT_EQ(AutoMuteList()->currentText(), "45 ms");
    EXPECT_EQ(Shows(0x05), 0x08);
    EXPECT_EQ(Shows(0x12), 0x1F);
}

TEST_F(RegisterEditor, TypedListTextThatNamesNoItemWritesDelayCode0) {
    board.SetRegister(0x05, 0xF7);  // bits above the delay are cleared by a list change
    board.SetRegister(0x12, 0xEB);
    Press("ReadAllButton");
    ASSERT_EQ(Shows(0x05), 0xF7);
    board.ClearFrames();

    TypeInto(AutoMuteList(), "7 ms");
    EXPECT_EQ(board.FrameTexts(), Texts(4, "34 05 00")) << "one change per keystroke";
    EXPECT_EQ(Shows(0x05), 0x00);
    EXPECT_EQ(AutoMuteList()->currentText(), "7 ms") << "the typed text stays";
    board.ClearFrames();

    TypeInto(AbdList(), "x");
    EXPECT_EQ(board.FrameTexts(), Texts{"34 12 00"});
    EXPECT_EQ(Shows(0x12), 0x00);
}

TEST_F(RegisterEditor, TypedTextEqualToAnItemSelectsThatItem) {
    TypeInto(AutoMuteList(), "15 ms");
    EXPECT_EQ(board.FrameTexts(),
              (Texts{"34 05 00", "34 05 00", "34 05 00", "34 05 00", "34 05 02"}));
    EXPECT_EQ(Stored(0x05), 0x02);
    board.ClearFrames();

    QTest::keyClick(AutoMuteList()->lineEdit(), Qt::Key_Return);
    TypeInto(AutoMuteList(), "x");
    QTest::keyClick(AutoMuteList()->lineEdit(), Qt::Key_Return);
    // Enter confirms text that names an item (that item once more) and ignores other text.
    EXPECT_EQ(board.FrameTexts(), (Texts{"34 05 02", "34 05 00"}));
    EXPECT_EQ(AutoMuteList()->count(), 10) << "typed text never becomes an item";
}

TEST_F(RegisterEditor, ReadAllReadsTheEightGroupsInOrder) {
    board.SetRegister(0x12, 0x0B);
    Press("ReadAllButton");
    // The System Control windows' reloads write 02h and 03h back after their reads.
    EXPECT_EQ(board.FrameTexts(), (Texts{"34 00", "35 27", "34 01", "35 00", "34 02", "35 05",
                                         "34 02 05", "34 03", "35 7E", "34 03 7E", "34 04", "35 FF",
                                         "34 05", "35 00", "34 12", "35 0B", "34 19", "35 FF"}));
    const uint8_t expected[][2] = {{0x00, 0x27}, {0x01, 0x00}, {0x02, 0x05}, {0x03, 0x7E},
                                   {0x04, 0xFF}, {0x05, 0x00}, {0x12, 0x0B}, {0x19, 0xFF}};
    for (auto [reg, value] : expected) {
        EXPECT_EQ(Shows(reg), value) << "group " << int(reg);
        EXPECT_EQ(Stored(reg), value) << "image " << int(reg);
    }
}

struct ListCase {
    uint8_t autoMute;
    const char* autoMuteText;
    uint8_t abd;
    const char* abdText;
};

class ListsFollowBits : public RegisterEditor, public ::testing::WithParamInterface<ListCase> {};

TEST_P(ListsFollowBits, AfterReadAllWithoutWriting) {
    const ListCase& c = GetParam();
    board.SetRegister(0x05, c.autoMute);
    board.SetRegister(0x12, c.abd);
    Press("ReadAllButton");
    EXPECT_EQ(AutoMuteList()->currentText(), c.autoMuteText);
    EXPECT_EQ(AbdList()->currentText(), c.abdText);
    const QLineEdit* edit = AutoMuteList()->lineEdit();
    EXPECT_LE(edit->fontMetrics().horizontalAdvance(edit->text()), edit->contentsRect().width())
        << "the whole text shows";
    const Texts frames = board.FrameTexts();
    EXPECT_EQ(std::count_if(frames.begin(), frames.end(),
                            [](const std::string& f) {
                                return f.rfind("34 05 ", 0) == 0 || f.rfind("34 12 ", 0) == 0;
                            }),
              0)
        << "a list set from code writes nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ListsFollowBits,
    ::testing::Values(ListCase{0x07, "40 ms", 0x0B, "11 DCLK cycle"},
                      ListCase{0x0C, "invalid code 0Ch", 0x00, "0   DCLK cycle"},
                      ListCase{0x09, "50 ms", 0x1F, "31 DCLK cycle"},
                      ListCase{0xF0, "5 ms", 0xE3, "3   DCLK cycle"},
                      ListCase{0x0F, "invalid code 0Fh", 0x0A, "10   DCLK cycle"}));

TEST_F(RegisterEditor, ReadAllOffLineShowsZeros) {
    Bus().SetOffLine(true);
    Press("ReadAllButton");
    for (uint8_t reg : {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x12, 0x19})
        EXPECT_EQ(Shows(reg), 0x00) << "group " << int(reg);
    EXPECT_TRUE(board.FrameTexts().empty());
    EXPECT_EQ(AbdList()->currentText(), "0   DCLK cycle");
}

TEST_F(RegisterEditor, CloseDiscardsUnappliedBoxEditsAndHides) {
    Press("ReadAllButton");  // every group now holds what the chip holds
    ClickBox(Box(0x19, 0));
    ClickBox(Box(0x19, 5));
    ClickBox(Box(0x02, 7));
    ClickBox(Box(0x04, 2));
    TypeInto(AutoMuteList(), "x");  // a list change is applied at once
    board.ClearFrames();

    Press("CancelButton");
    EXPECT_FALSE(RegistersForm->isVisible());
    EXPECT_TRUE(board.FrameTexts().empty());
    EXPECT_EQ(Shows(0x19), 0xFF);
    EXPECT_EQ(Shows(0x02), 0x05);
    EXPECT_EQ(Shows(0x04), 0xFF);
    EXPECT_EQ(Shows(0x05), 0x00);
    EXPECT_EQ(AutoMuteList()->currentText(), "x") << "the lists are left as they are";
}

TEST_F(RegisterEditor, CloseBringsBackTheLastAppliedValue) {
    ClickBox(Box(0x19, 2));
    Press("Reg19Button");  // 0x3B applied
    ClickBox(Box(0x19, 0));
    ClickBox(Box(0x19, 2));
    Press("CancelButton");
    EXPECT_EQ(Shows(0x19), 0x3B);
    EXPECT_EQ(board.FrameTexts(), Texts{"34 19 3B"});
}

TEST_F(RegisterEditor, SetupAndTestButtonsOpenTheirWindows) {
    Press("Reg02Button");
    EXPECT_TRUE(SysControl0Form->isVisible());
    EXPECT_FALSE(SysControl1Form->isVisible());
    Press("Reg03Button");
    EXPECT_TRUE(SysControl1Form->isVisible());

    QWidget* test = Child(RegistersForm, "TestRegBitBtn");
    EXPECT_FALSE(test->isVisible()) << "shown only after the login";
    test->show();
    Press("TestRegBitBtn");
    EXPECT_TRUE(TestRegForm->isVisible());
    EXPECT_TRUE(board.FrameTexts().empty());
}

}  // namespace
}  // namespace qk::test
