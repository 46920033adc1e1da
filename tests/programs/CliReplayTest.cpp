// A DataLog.txt the program writes while the user works, replayed by qk3xx-cli through the
// parallel port onto a fresh board, leaves that board's registers as the program left its own.
#include <QFile>
#include <QSlider>
#include <sstream>

#include "cli/Cli.h"
#include "tests/gui/QK330Fixture.h"
#include "tests/support/EmulatedPpdev.h"

namespace qk::test {
namespace {

class LoggedSession : public QK330Test {
  protected:
    void SetUp() override {
        QFile::remove("DataLog.txt");
        MainWindowTest::SetUp();
        Click(OkapiForm, "DataLogCheckBox");
        ClickStart();
        LogIn("pelmak");
        Click(OkapiForm, "QK330RadioButton");
    }
    void TearDown() override {
        QK330Test::TearDown();
        QFile::remove("DataLog.txt");
    }
};

TEST_F(LoggedSession, ReplayedThroughPpdevOnAFreshBoardLeavesTheSameRegisters) {
    Child<QSlider>(OkapiForm, "QK330MasterVolTrackBar")->setValue(400);
    QCheckBox* channel3 = OkapiForm->VolumeCheckBox(3);
    QTest::mouseClick(channel3, Qt::LeftButton, {}, QPoint(8, channel3->height() / 2));
    Click(OkapiForm, "DataLogCheckBox");  // off: the log is complete
    ASSERT_NE(board.ListRegisters(), board::VirtualBoard(board::Chip::QK330).ListRegisters());

    board::VirtualBoard fresh(board::Chip::QK330);
    EmulatedPpdev port(fresh);
    std::ostringstream out, err;
    // The QK330's activation writes its test registers, so the replay must be allowed to.
    EXPECT_EQ(cli::RunCli({"--port", EmulatedPpdev::Path, "replay", "DataLog.txt"}, out, err), 2);
    EXPECT_NE(err.str().find("writing it needs --test-registers (nothing was sent)"),
              std::string::npos)
        << err.str();
    EXPECT_EQ(
        cli::RunCli({"--port", EmulatedPpdev::Path, "replay", "DataLog.txt", "--test-registers"},
                    out, err),
        0)
        << err.str();
    EXPECT_EQ(fresh.RegisterListing(), board.RegisterListing());
}

}  // namespace
}  // namespace qk::test
