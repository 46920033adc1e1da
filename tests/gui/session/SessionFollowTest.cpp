// A change of the image that no user made (a read, a chip selection) shows in every window that
// shows the register, the main window's channel boxes included, and sends nothing the design
// does not. (A restore's frames and windows are pinned by the snapshot restore tests.)
#include <QCheckBox>
#include <functional>
#include <optional>

#include "gui/gen1/Registersunit.h"
#include "tests/gui/QK330Fixture.h"

namespace qk::test {
namespace {

void Press(QWidget* window, const char* button) {
    QTest::mouseClick(window->findChild<QAbstractButton*>(button), Qt::LeftButton);
}

struct FollowCase {
    const char* name;
    board::Chip chip;
    uint8_t muteRegister;  // the six unmute bits the main window's channel boxes show
    uint8_t boardValue;    // what the chip holds when the operation reads it
    bool selectFirst;      // the chip is selected before the value changes
    std::function<void()> operation;
    // The operation's own frames; none where the activation tests pin them.
    std::optional<size_t> designFrames;
};

class SessionFollow : public MainWindowTest, public ::testing::WithParamInterface<FollowCase> {
  protected:
    SessionFollow() : MainWindowTest(GetParam().chip) {}
};

TEST_P(SessionFollow, ChannelBoxesFollowWithoutAFrame) {
    const FollowCase& c = GetParam();
    if (c.selectFirst) {
        ClickStart();
        LogIn("pelmak");
        Click(OkapiForm, c.chip == board::Chip::QK330 ? "QK330RadioButton" : "QK310RadioButton");
    }
    board.SetRegister(c.muteRegister, c.boardValue);
    board.ClearFrames();
    c.operation();
    if (c.designFrames) {
        const auto frames = board.FrameTexts();
        EXPECT_EQ(frames.size(), *c.designFrames) << ::testing::PrintToString(frames);
    }
    for (int channel = 1; channel <= ChannelCount; ++channel)
        EXPECT_EQ(OkapiForm->VolumeCheckBox(channel)->isChecked(),
                  bool(c.boardValue >> (channel - 1) & 1))
            << "channel " << channel;
}

INSTANTIATE_TEST_SUITE_P(
    ImageChanges, SessionFollow,
    ::testing::Values(
        // Eight reads, and the two system control registers written back as read.
        FollowCase{"QK310ReadAll", board::Chip::QK310, 0x19, 0x2A, true,
                   [] { Press(RegistersForm, "ReadAllButton"); }, 8 * 2 + 2},
        // Eleven reads and the six setup registers written back as read.
        FollowCase{"QK330ReadAll", board::Chip::QK330, 0x11, 0x15, true,
                   [] { Press(QK330RegForm, "ReadAllButton"); }, 11 * 2 + 6},
        // START reads the chip; selecting it writes back what was read.
        FollowCase{"QK310Selection", board::Chip::QK310, 0x19, 0x2A, false,
                   [] {
                       Press(OkapiForm, "StartBitBtn");
                       QTest::mouseClick(OkapiForm->findChild<QAbstractButton*>("QK310RadioButton"),
                                         Qt::LeftButton, {}, QPoint(8, 8));
                   },
                   std::nullopt}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace qk::test
