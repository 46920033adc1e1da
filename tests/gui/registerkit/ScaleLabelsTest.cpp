// The scale labels beside the volume sliders of both generations: a user who puts the handle level
// with a label reads the label's value on the slider's readout.
#include <QLabel>
#include <QSlider>
#include <QStyle>
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "gui/gen1/Balanceunitsixch.h"
#include "tests/gui/QK330Fixture.h"

namespace qk::test {
namespace {

// A slider, the readout that follows it, and the labels of its scale, all in one window.
struct Scale {
    QWidget* (*window)();
    std::string slider;
    std::string readout;
    std::vector<std::string> labels;
};

// The dB a readout shows; MUTE (any case) is below every number.
double ReadoutValue(const QString& text) {
    bool number = false;
    const double value = text.section(' ', 0, 0, QString::SectionSkipEmpty).toDouble(&number);
    if (number) return value;
    EXPECT_EQ(text.toUpper(), "MUTE");
    return -INFINITY;
}

// The user middle-clicks the slider on row y (its own coordinates), which puts the handle's
// centre on that row, and reads the readout.
double ReadoutAtRow(QSlider* slider, QLabel* readout, int y) {
    QTest::mouseClick(slider, Qt::MiddleButton, {}, QPoint(slider->width() / 2, y));
    return ReadoutValue(readout->text());
}

// Each label's value lies between the readouts one row above and one row below its centre: the
// label marks its value to the pixel.
void ExpectLabelsMarkTheirValues(const Scale& scale) {
    QWidget* window = scale.window();
    OpenWindow(window);
    auto* slider = window->findChild<QSlider*>(QString::fromStdString(scale.slider));
    auto* readout = window->findChild<QLabel*>(QString::fromStdString(scale.readout));
    ASSERT_TRUE(slider && readout) << scale.slider;
    ASSERT_EQ(slider->style()->styleHint(QStyle::SH_Slider_AbsoluteSetButtons) & Qt::MiddleButton,
              Qt::MiddleButton);
    for (const std::string& name : scale.labels) {
        auto* label = window->findChild<QLabel*>(QString::fromStdString(name));
        ASSERT_NE(label, nullptr) << name;
        const QPoint centre = label->mapTo(window, label->rect().center());
        const int row = slider->mapFrom(window, centre).y();
        const double above = ReadoutAtRow(slider, readout, row - 1);
        const double at = ReadoutAtRow(slider, readout, row);
        const double below = ReadoutAtRow(slider, readout, row + 1);
        const double value = label->text().toDouble();
        EXPECT_GE(value, std::min({above, at, below})) << name << " reads " << at;
        EXPECT_LE(value, std::max({above, at, below})) << name << " reads " << at;
    }
}

QWidget* MainWindow() {
    return OkapiForm;
}

// The scale beside strip `channel` of the QK330 volume offset window.
Scale QK330OffsetScale(int channel) {
    const std::string ch = "Ch" + std::to_string(channel);
    return {[]() -> QWidget* { return QK330SixChBalanceForm; },
            "VolTrackBar" + std::to_string(channel),
            ch + "Readout",
            {ch + "MaxLabel", ch + "MidLabel1", ch + "MidLabel2", ch + "MidLabel3",
             ch + "MidLabel4", ch + "MinLabel"}};
}

class FirstGenerationScales : public MainWindowTest {};

TEST_F(FirstGenerationScales, LabelsSitWhereTheReadoutShowsTheirValue) {
    ClickStart();
    ASSERT_TRUE(Child<QAbstractButton>(OkapiForm, "QK310RadioButton")->isChecked());
    const Scale scales[] = {
        {MainWindow,
         "MasterVolTrackBar",
         "MasterVolReadout",
         {"MasterVolMaxLabel", "Label2", "Label3", "Label15", "MasterVolMinLabel"}},
        {[]() -> QWidget* { return SixChBalanceForm; },
         "VolTrackBar1",
         "Ch1Readout",
         {"ScaleLabel1", "ScaleLabel2", "ScaleLabel3", "ScaleLabel4", "ScaleLabel5",
          "ScaleLabel6"}},
    };
    for (const Scale& scale : scales) ExpectLabelsMarkTheirValues(scale);

    // The labels follow a slider that another layout or font makes shorter.
    auto* master = Child<QSlider>(OkapiForm, "MasterVolTrackBar");
    master->resize(master->width(), master->height() - 60);
    ExpectLabelsMarkTheirValues(scales[0]);
}

class QK330Scales : public QK330Test {};

TEST_F(QK330Scales, LabelsSitWhereTheReadoutShowsTheirValue) {
    const Scale scales[] = {
        {MainWindow,
         "QK330MasterVolTrackBar",
         "QK330MasterVolReadout",
         {"QK330MasterVolMaxLabel", "Label8", "Label11", "Label9", "QK330MasterVolMinLabel"}},
        QK330OffsetScale(1),
        QK330OffsetScale(3),
        QK330OffsetScale(4),
        QK330OffsetScale(6),
    };
    for (const Scale& scale : scales) ExpectLabelsMarkTheirValues(scale);
}

}  // namespace
}  // namespace qk::test
