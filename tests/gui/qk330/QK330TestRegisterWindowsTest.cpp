// The QK330 test register window and its four setup windows, driven by clicks and slider moves.
#include <QLabel>
#include <QSlider>
#include <QStyle>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "tests/gui/QK330WindowsSupport.h"

namespace qk::test {
namespace {

class TestRegisterWindows : public QK330WindowsTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Open({QK330TestRegForm});
    }
    static QWidget* Window() { return QK330TestRegForm; }
    static QString Readout(const char* name) { return Child<QLabel>(Window(), name)->text(); }
    static QSlider* Slider(const char* name) { return Child<QSlider>(Window(), name); }
};

TEST_F(TestRegisterWindows, AdcPscControlApplyPacksRecoveryAndClockDelay) {
    struct Case {
        int overVoltage, clockDelay;  // -1: as laid out
        const char* frame;
    };
    const Case cases[] = {{-1, -1, "34 7B 08"}, {0, 15, "34 7B F0"}, {1, 15, "34 7B F8"}};
    for (const Case& c : cases) {
        if (c.overVoltage >= 0) Choose(Window(), "OverVoltageRadioGroup", c.overVoltage);
        if (c.clockDelay >= 0) Choose(Window(), "ClkDlySelRadioGroup", c.clockDelay);
        board.ClearFrames();
        Click(Window(), "Reg7BSendButton");
        EXPECT_EQ(board.FrameTexts(), Frames{c.frame});
    }
}

TEST_F(TestRegisterWindows, PredictorTrackBarSendsItsPosition) {
    EXPECT_EQ(Readout("PSC_PredHexReadout"), "0x3D");
    Slider("PSC_PredTrackBar")->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(board.FrameTexts(), Frames{"34 7C FF"});
    EXPECT_EQ(Readout("PSC_PredHexReadout"), "0xFF");
    board.ClearFrames();
    Click(Window(), "PSCPredictorDefaultButton");
    EXPECT_EQ(board.FrameTexts(), Frames{"34 7C 3D"});
    EXPECT_EQ(Readout("PSC_PredHexReadout"), "0x3D");
}

TEST_F(TestRegisterWindows, DitherApplyAddsTheNoiseShapingWhichAMoveDrops) {
    Slider("DitherTrackBar")->setValue(10);
    Choose(Window(), "NSDitherRadioGroup", 1);  // "Rectangular"
    board.ClearFrames();
    Click(Window(), "Reg7DSendButton");
    Slider("DitherTrackBar")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(board.FrameTexts(), (Frames{"34 7D 4A", "34 7D 0B"}));
    EXPECT_EQ(Readout("DitherHexReadout"), "0x0B");
    board.ClearFrames();
    Click(Window(), "DitherZeroBitBtn");
    EXPECT_EQ(board.FrameTexts(), Frames{"34 7D 00"});
}

TEST_F(TestRegisterWindows, ReadAllShowsEveryRegisterAndLeavesTheDitherAsRead) {
    board.SetRegister(0x7C, 0x80);
    board.SetRegister(0x7D, 0x6A);
    Click(Window(), "ReadAllButton");
    EXPECT_EQ(board.FrameTexts(),
              (Frames{"34 79", "35 F2", "34 79 F2", "34 7A", "35 B0", "34 7A B0", "34 7B", "35 08",
                      "34 7C", "35 80", "34 7C 80", "34 7D", "35 6A", "34 7E", "35 00", "34 7E 00",
                      "34 7F", "35 00", "34 7F 00"}));
    EXPECT_EQ(Boxes(Window(), "CheckBox79_"), 0xF2);
    EXPECT_EQ(Boxes(Window(), "CheckBox7A_"), 0xB0);
    EXPECT_EQ(Selected(Window(), "OverVoltageRadioGroup"), 1);
    EXPECT_EQ(Selected(Window(), "NSDitherRadioGroup"), 0) << "Triangular";
    EXPECT_EQ(Slider("DitherTrackBar")->value(), 10);
    EXPECT_EQ(Readout("DitherHexReadout"), "0x0A");
    EXPECT_EQ(Readout("PSC_PredHexReadout"), "0x80");
    EXPECT_EQ(TheSession().QK330Image().Current(0x7D), 0x6A);
    // F2h: "Normal Operation", "192 KHz" (D0 = 0); B0h: OVP enabled, 10 uA bias current.
    EXPECT_EQ(Selected(QK330PSCTestReg1Form, "D7RadioGroup"), 1);
    EXPECT_EQ(Selected(QK330PSCTestReg1Form, "D0RadioGroup"), 1);
    EXPECT_EQ(Selected(QK330PSCTestReg2Form, "D7RadioGroup"), 0);
    EXPECT_EQ(Selected(QK330PSCTestReg2Form, "D4_D6RadioGroup"), 3);
}

TEST_F(TestRegisterWindows, ReadAllOffLineClearsEveryControl) {
    Click(OkapiForm, "I2C_Bypass");
    Click(Window(), "ReadAllButton");
    EXPECT_TRUE(board.FrameTexts().empty());
    EXPECT_EQ(Selected(Window(), "OverVoltageRadioGroup"), 0);
    EXPECT_EQ(Selected(Window(), "NSDitherRadioGroup"), 2) << "No NS Dither";
    EXPECT_EQ(Readout("PSC_PredHexReadout"), "0x00");
}

TEST_F(TestRegisterWindows, SetupWindowApplySetsTheBoxesAndSendsThem) {
    struct Case {
        QWidget* window;
        std::vector<std::pair<std::string, int>> choices;
        const char* boxes;
        int value;
        const char* frame;
    };
    const std::vector<std::pair<std::string, int>> allOnes = {
        {"D0RadioGroup", 1}, {"D1RadioGroup", 1}, {"D2RadioGroup", 1}, {"D3RadioGroup", 1},
        {"D4RadioGroup", 1}, {"D5RadioGroup", 1}, {"D6RadioGroup", 1}, {"D7RadioGroup", 1}};
    const Case cases[] = {
        {QK330PSCTestReg1Form, allOnes, "CheckBox79_", 0xFE, "34 79 FE"},
        {QK330PSCTestReg2Form, {{"D4_D6RadioGroup", 7}}, "CheckBox7A_", 0xF0, "34 7A F0"},
        {QK330TestReg0Form, {{"D3RadioGroup", 1}}, "CheckBox7E_", 0x18, "34 7E 18"},
        {QK330TestReg1Form,
         {{"D7RadioGroup", 1}, {"D0RadioGroup", 1}},
         "CheckBox7F_",
         0x81,
         "34 7F 81"},
    };
    for (const Case& c : cases) {
        OpenWindow(c.window);
        for (const auto& [group, index] : c.choices) Choose(c.window, group, index);
        board.ClearFrames();
        Click(c.window, "ApplyButton");
        EXPECT_EQ(board.FrameTexts(), Frames{c.frame});
        EXPECT_EQ(Boxes(Window(), c.boxes), c.value) << c.frame;
    }
}

TEST_F(TestRegisterWindows, BitRegisterApplyWritesThenTheSetupWindowFollowsAndWrites) {
    Toggle(Window(), "CheckBox7E_3");  // one of the two PLL clock bits
    Click(Window(), "Reg7ESendButton");
    EXPECT_EQ(board.FrameTexts(), (Frames{"34 7E 08", "34 7E 08"}));
    EXPECT_EQ(Selected(QK330TestReg0Form, "D3RadioGroup"), 1);
    // The setup window then sets both bits.
    board.ClearFrames();
    Click(Window(), "Reg7EButton");
    Click(QK330TestReg0Form, "OKButton");
    EXPECT_EQ(board.FrameTexts(), Frames{"34 7E 18"});
}

TEST_F(TestRegisterWindows, EveryBoxButTheUnusedOnesCanBeTicked) {
    QK330TestRegForm->ShowQK340Groups(true);
    const std::pair<std::string, const char*> cases[] = {
        {"79", "34 79 FF"}, {"7A", "34 7A FB"}, {"7E", "34 7E 1B"}, {"7F", "34 7F FF"}};
    for (const auto& [reg, frame] : cases) {
        for (int bit = 0; bit < 8; ++bit)
            Toggle(Window(), ("CheckBox" + reg + "_" + std::to_string(bit)).c_str());
        board.ClearFrames();
        Click(Window(), ("Reg" + reg + "SendButton").c_str());
        EXPECT_EQ(board.FrameTexts(), (Frames{frame, frame})) << "the setup window writes it back";
    }
}

// The predictor's scale as the user reads it: the labels beside the slider, left and right of it,
// row by row; each row's hex and decimal labels name one value, stand level with each other, and
// a middle click on their row puts the handle within a pixel of that value.
TEST_F(TestRegisterWindows, PredictorScaleColumnsStandTogetherAndAgree) {
    QK330TestRegForm->ShowQK340Groups(true);
    QSlider* bar = Slider("PSC_PredTrackBar");
    ASSERT_EQ(bar->style()->styleHint(QStyle::SH_Slider_AbsoluteSetButtons) & Qt::MiddleButton,
              Qt::MiddleButton);
    using Row = std::vector<std::string>;  // the texts left and right of the slider
    std::map<int, Row> rows;               // by centre row, in the slider's coordinates
    for (const QLabel* label : Child(Window(), "PSCPredictorGroupBox")->findChildren<QLabel*>()) {
        const QPoint centre = bar->mapFrom(label->parentWidget(), label->geometry().center());
        if (centre.y() < 0 || centre.y() >= bar->height()) continue;  // not beside the slider
        Row& row = rows[centre.y()];
        row.insert(centre.x() < 0 ? row.begin() : row.end(), label->text().toStdString());
    }
    const Row expected[] = {{"0", "0"}, {"3F", "63"}, {"7F", "127"}, {"BF", "191"}, {"FF", "255"}};
    ASSERT_EQ(rows.size(), std::size(expected));
    auto row = rows.begin();
    for (const Row& texts : expected) {
        EXPECT_EQ(row->second, texts) << "at row " << row->first;
        const int value = std::stoi(texts[1]);
        std::vector<int> read;
        for (int y : {row->first - 1, row->first, row->first + 1}) {
            QTest::mouseClick(bar, Qt::MiddleButton, {}, QPoint(bar->width() / 2, y));
            read.push_back(Readout("PSC_PredHexReadout").mid(2).toInt(nullptr, 16));
        }
        EXPECT_GE(value, *std::min_element(read.begin(), read.end())) << texts[1];
        EXPECT_LE(value, *std::max_element(read.begin(), read.end())) << texts[1];
        ++row;
    }
}

TEST_F(TestRegisterWindows, ChipDecidesThePscGroupsAndTheWidth) {
    for (const auto& [qk340, width] : {std::pair{false, 288}, std::pair{true, 690}}) {
        QK330TestRegForm->ShowQK340Groups(qk340);
        EXPECT_EQ(Window()->frameGeometry().width(), width);
        for (const char* group : {"PSCTest1GroupBox", "PSCTest2GroupBox", "ADC_PSC_CTLGroupBox",
                                  "PSCPredictorGroupBox"})
            EXPECT_EQ(Child(Window(), group)->isVisibleTo(Window()), qk340) << group;
        EXPECT_TRUE(Child(Window(), "Reg1DGroupBox")->isVisibleTo(Window()));
    }
}

}  // namespace
}  // namespace qk::test
