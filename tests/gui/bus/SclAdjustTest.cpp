#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>

#include "gui/app/Appearance.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/UpDown.h"
#include "tests/gui/ProgramFixture.h"

namespace qk::test {
namespace {

class SclAdjust : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        OpenWindow(I2CForm);  // as IIC SETUP does
    }

    QString Status() const { return Child<QLabel>(OkapiForm, "FirstErrorlabel")->text(); }
    UpDown* Counter() { return Child<UpDown>(I2CForm, "UpDownFreqAdjust"); }
    QWidget* Control(const char* name) { return Child<QWidget>(I2CForm, name); }
    void ClickArrow(QToolButton* arrow, int times = 1) {
        for (int i = 0; i < times; ++i) QTest::mouseClick(arrow, Qt::LeftButton);
    }
    void ExpectCounts(uint32_t half, uint32_t quarter) {
        EXPECT_EQ(Bus().HalfPeriodCount, half);
        EXPECT_EQ(Bus().QuarterPeriodCount, quarter);
    }
};

TEST_F(SclAdjust, LaysOutTheWindow) {
    EXPECT_EQ(I2CForm->windowTitle(), "SCL Adjust");
    EXPECT_EQ(I2CForm->size(), QSize(133, 163));  // wide enough for RECALIBRATE in its large font
    EXPECT_EQ(Child<QLabel>(I2CForm, "FreqAdjustLabel")->text(), " SCL Period");
    EXPECT_EQ(TextColor(Control("FreqAdjustLabel")), BgrColor(clMaroon));
    const QFont font = Control("FreqAdjustLabel")->font();
    EXPECT_EQ(QFontInfo(font).family(), kProgramFont.family);
    EXPECT_EQ(font.pointSize(), 12);
    EXPECT_TRUE(font.bold());
    EXPECT_EQ(Control("FreqAdjustPanel")->palette().color(QPalette::Window), BgrColor(clSilver));
    EXPECT_EQ(Counter()->minimum(), 12);
    EXPECT_EQ(Counter()->maximum(), 2000);
    EXPECT_EQ(Counter()->position(), 200);
    EXPECT_EQ(Counter()->orientation(), Qt::Horizontal);
    EXPECT_FALSE(Counter()->isEnabled());
    EXPECT_EQ(Child<QPushButton>(I2CForm, "FreqAdjustButton")->text(), "Fine Adjust");
    EXPECT_EQ(Child<QPushButton>(I2CForm, "CalibrateButton")->text(), "RECALIBRATE");
    EXPECT_EQ(Child<QPushButton>(I2CForm, "CloseButton")->text(), "CLOSE");
    ExpectCounts(0, 0);
}

TEST_F(SclAdjust, RecalibrateSetsTheCountsAndShowsTheCalibrationText) {
    Click(I2CForm, "CalibrateButton");
    ExpectCounts(1250, 625);
    EXPECT_EQ(Counter()->position(), 1250);
    EXPECT_EQ(Counter()->maximum(), 2500);
    EXPECT_EQ(Status(), "#1250 SCL100");
    EXPECT_EQ(TextColor(Control("CalibrateButton")), BgrColor(clBlack));
    EXPECT_TRUE(board.FrameTexts().empty());
    EXPECT_TRUE(dialogs.empty());
}

TEST_F(SclAdjust, EachCalibrationSetsTheUpDownMaximumToTwiceItsCountAndAtLeast2000) {
    struct Case {
        int nsPerIteration;
        uint32_t count;
        int maximum;
    };
    // A slower PC after a faster one narrows the range again.
    for (const Case& c : {Case{1, 5000, 10000}, Case{7, 715, 2000}}) {
        SCOPED_TRACE(c.count);
        I2CForm->SetTiming(SimulatedMachine(c.nsPerIteration).Timing());
        Click(I2CForm, "CalibrateButton");
        ExpectCounts(c.count, c.count / 2);
        EXPECT_EQ(Counter()->maximum(), c.maximum);
        EXPECT_EQ(Counter()->position(), int(c.count));
        EXPECT_EQ(Counter()->minimum(), 12);
    }
}

TEST_F(SclAdjust, AClockThatNeverAdvancesShowsErrorAndKeepsTheCounts) {
    Click(I2CForm, "CalibrateButton");  // 1250 / 625 in force
    I2CForm->SetTiming(SimulatedMachine::StuckClock());
    Click(I2CForm, "CalibrateButton");
    EXPECT_EQ(Status(), "ERROR");
    ExpectCounts(1250, 625);
    EXPECT_EQ(Counter()->position(), 1250);
    EXPECT_EQ(Counter()->maximum(), 2500);
    EXPECT_EQ(TextColor(Control("CalibrateButton")), BgrColor(clLime));
}

TEST_F(SclAdjust, OffLineRecalibrateChangesNothingAndShowsNothing) {
    Click(OkapiForm, "I2C_Bypass");
    ASSERT_TRUE(Child<QAbstractButton>(OkapiForm, "I2C_Bypass")->isChecked());
    const QString before = Status();
    const uint64_t accesses = board.PortAccesses();
    Click(I2CForm, "CalibrateButton");
    ExpectCounts(0, 0);
    EXPECT_EQ(Counter()->position(), 200);
    EXPECT_EQ(Counter()->maximum(), 2000);
    EXPECT_EQ(Status(), before);
    EXPECT_EQ(board.PortAccesses(), accesses);
    EXPECT_EQ(TextColor(Control("CalibrateButton")), BgrColor(clBlack));
}

TEST_F(SclAdjust, FineAdjustTogglesCaptionColoursAndTheUpDown) {
    Click(I2CForm, "CalibrateButton");
    Click(I2CForm, "FreqAdjustButton");
    EXPECT_TRUE(I2CForm->FineAdjustMode);
    EXPECT_EQ(Child<QPushButton>(I2CForm, "FreqAdjustButton")->text(), "-            +");
    EXPECT_EQ(TextColor(Control("FreqAdjustButton")), BgrColor(clLime));
    EXPECT_EQ(TextColor(Control("FreqAdjustLabel")), BgrColor(clLime));
    EXPECT_TRUE(Counter()->isEnabled());
    EXPECT_EQ(Status(), "#1250");

    Click(I2CForm, "FreqAdjustButton");
    EXPECT_FALSE(I2CForm->FineAdjustMode);
    EXPECT_EQ(Child<QPushButton>(I2CForm, "FreqAdjustButton")->text(), "Adjust Counter");
    EXPECT_EQ(TextColor(Control("FreqAdjustButton")), BgrColor(clBlack));
    EXPECT_EQ(TextColor(Control("FreqAdjustLabel")), BgrColor(clMaroon));
    EXPECT_FALSE(Counter()->isEnabled());
    EXPECT_EQ(Status(), "Ready");
    ExpectCounts(1250, 625);  // toggling alone changes no count
}

TEST_F(SclAdjust, UpDownSetsOnlyTheHalfPeriodCount) {
    Click(I2CForm, "CalibrateButton");
    Click(I2CForm, "FreqAdjustButton");
    ClickArrow(Counter()->upButton());
    ExpectCounts(1251, 625);
    EXPECT_EQ(Status(), "#1251");
    ClickArrow(Counter()->downButton(), 3);
    ExpectCounts(1248, 625);
    EXPECT_EQ(Status(), "#1248");

    Click(I2CForm, "FreqAdjustButton");  // off: the up-down keeps its position
    EXPECT_EQ(Counter()->position(), 1248);
    ClickArrow(Counter()->upButton());  // disabled: no effect
    ExpectCounts(1248, 625);
}

TEST_F(SclAdjust, OnAFastPcTheUpDownStepsByOneFromTheCountAndStopsAtItsLimits) {
    I2CForm->SetTiming(SimulatedMachine(1).Timing());  // 2 ns per count: 5000
    Click(I2CForm, "CalibrateButton");                 // the range becomes 12 .. 10000
    Click(I2CForm, "FreqAdjustButton");
    ClickArrow(Counter()->upButton());
    ExpectCounts(5001, 2500);
    EXPECT_EQ(Status(), "#5001");
    Counter()->setPosition(9999);
    ClickArrow(Counter()->upButton(), 2);
    ExpectCounts(10000, 2500);
    EXPECT_EQ(Status(), "#10000");
    Counter()->setPosition(13);
    ClickArrow(Counter()->downButton(), 2);
    ExpectCounts(12, 2500);
}

TEST_F(SclAdjust, CloseHidesTheWindowAndKeepsTheCounts) {
    Click(I2CForm, "CalibrateButton");
    Click(I2CForm, "CloseButton");
    EXPECT_FALSE(I2CForm->isVisible());
    ExpectCounts(1250, 625);
}

}  // namespace
}  // namespace qk::test
