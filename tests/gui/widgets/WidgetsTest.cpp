// The small widgets that give the windows their classic behaviours.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "gui/widgets/BitBoxes.h"
#include "gui/widgets/RadioGroup.h"
#include "gui/widgets/StatusTimeline.h"
#include "gui/widgets/UpDown.h"

namespace qk::test {
namespace {

TEST(RadioGroup, IndexFromCodeClampsAndFiresNothing) {
    RadioGroup group;
    group.setItems({"zero", "one", "two"});
    QSignalSpy clicks(&group, &RadioGroup::itemClicked);
    EXPECT_EQ(group.itemIndex(), -1) << "no item selected at first";
    group.setItemIndex(1);
    EXPECT_EQ(group.itemIndex(), 1);
    group.setItemIndex(7);
    EXPECT_EQ(group.itemIndex(), 2) << "an index past the last item selects the last";
    group.setItemIndex(-1);
    EXPECT_EQ(group.itemIndex(), -1);
    EXPECT_EQ(clicks.count(), 0);
}

TEST(RadioGroup, UserClickSelectsAndReportsTheItem) {
    RadioGroup group;
    group.setItems({"zero", "one"});
    group.show();
    QSignalSpy clicks(&group, &RadioGroup::itemClicked);
    QTest::mouseClick(group.button(1), Qt::LeftButton);
    EXPECT_EQ(group.itemIndex(), 1);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toInt(), 1);
}

struct UpDownCase {
    int increment;
    int start;
    bool up;
    int after;
};

class UpDownArrows : public ::testing::TestWithParam<UpDownCase> {};

TEST_P(UpDownArrows, StepByTheIncrementWithoutWrapping) {
    const UpDownCase& c = GetParam();
    UpDown upDown;
    upDown.setMinimum(0);
    upDown.setMaximum(249);
    upDown.setIncrement(c.increment);
    upDown.setPosition(c.start);
    upDown.show();
    QSignalSpy clicks(&upDown, &UpDown::clicked);
    QTest::mouseClick(c.up ? upDown.upButton() : upDown.downButton(), Qt::LeftButton);
    EXPECT_EQ(upDown.position(), c.after);
    ASSERT_EQ(clicks.count(), 1) << "every arrow click is reported, also at a limit";
    EXPECT_EQ(clicks.at(0).at(0).toInt(), c.after);
}

INSTANTIATE_TEST_SUITE_P(Cases, UpDownArrows,
                         ::testing::Values(UpDownCase{-1, 48, true, 47},  // up lowers
                                           UpDownCase{-1, 48, false, 49},
                                           UpDownCase{-1, 0, true, 0},  // no wrap at the top
                                           UpDownCase{-1, 249, false, 249},
                                           UpDownCase{1, 200, true, 201}));

TEST(UpDown, PositionFromCodeClampsAndFiresNothing) {
    UpDown upDown;
    upDown.setMinimum(12);
    upDown.setMaximum(2000);
    QSignalSpy clicks(&upDown, &UpDown::clicked);
    upDown.setPosition(5000);
    EXPECT_EQ(upDown.position(), 2000);
    upDown.setPosition(3);
    EXPECT_EQ(upDown.position(), 12);
    EXPECT_EQ(clicks.count(), 0);
}

TEST(BitBoxes, PackAndShowBitZeroFirstWithGreyCountingAsZero) {
    std::array<std::unique_ptr<QCheckBox>, 8> owned;
    BitBoxes boxes{};
    for (int bit = 0; bit < 8; ++bit) {
        owned[bit] = std::make_unique<QCheckBox>();
        owned[bit]->setTristate(true);
        boxes[bit] = owned[bit].get();
    }
    ShowBits(boxes, 0xA5);
    EXPECT_EQ(PackBits(boxes), 0xA5);
    EXPECT_TRUE(boxes[0]->isChecked());
    EXPECT_FALSE(boxes[1]->isChecked());
    boxes[1]->setCheckState(Qt::PartiallyChecked);
    EXPECT_EQ(PackBits(boxes), 0xA5) << "the grey state packs as 0";
    ShowBits(boxes, 0x00);
    EXPECT_EQ(boxes[1]->checkState(), Qt::Unchecked) << "showing clears every box first";
}

// Twenty seconds after START the timeline spans those twenty seconds: the first poll at the left of
// the plot, a fault ten seconds in at its middle.
TEST(StatusTimeline, SpansTheTimeSinceTheFirstPoll) {
    StatusWatch watch(ChipFamily::QK330);
    constexpr int64_t Start = 1'700'000'000'000;
    watch.Take(Start, 0x01, 0x80);
    watch.Take(Start + 10'000, 0x01, 0x00);  // "No Clip" falls: clipping
    watch.Take(Start + 20'000, 0x01, 0x00);
    StatusTimeline timeline;
    timeline.resize(620, 250);
    timeline.SetWatch(&watch);
    const QImage image = timeline.grab().toImage();
    int firstGood = image.width(), firstFault = image.width(), lastFault = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.green() > 150 && c.red() < 100) firstGood = std::min(firstGood, x);
            if (c.red() > 200 && c.green() < 120) {
                firstFault = std::min(firstFault, x);
                lastFault = std::max(lastFault, x);
            }
        }
    EXPECT_LT(firstGood, image.width() / 4) << "the first poll at the plot's left";
    ASSERT_GT(lastFault, firstFault) << "the fault drawn red";
    EXPECT_NEAR(firstFault - firstGood, (lastFault - firstGood) / 2, 4) << "ten of twenty seconds";
}

}  // namespace
}  // namespace qk::test
