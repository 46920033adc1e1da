// The "DataLog On>" box: what reaches DataLog.txt, and a file that cannot be opened or written.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include "gui/app/Aboutunit.h"
#include "gui/app/FileOpenErrorunit.h"
#include "gui/app/HelpDocument.h"
#include "gui/app/NoDeviceunit.h"
#include "gui/bus/Gpiounit.h"
#include "gui/gen1/Registersunit.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/UpDown.h"
#include "tests/gui/MainWindowFixture.h"
#include "tests/support/ScratchFolder.h"

namespace qk::test {
namespace {

using Strings = std::vector<std::string>;

// --- Data log ---

class DataLogBox : public MainWindowTest {
  protected:
    void SetUp() override {
        QFile::remove("DataLog.txt");
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        QFile::remove("DataLog.txt");
        QDir().rmdir("DataLog.txt");
    }
    QAbstractButton* Box() { return Child<QAbstractButton>(OkapiForm, "DataLogCheckBox"); }
};

TEST_F(DataLogBox, OnLogsEveryFrameStartSends) {
    Click(OkapiForm, "DataLogCheckBox");
    EXPECT_EQ(StatusLines(), (Strings{"READY", "DATALOG ON"}));
    EXPECT_TRUE(Box()->isChecked());
    ClickStart();

    const Strings lines = DataLogLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "{0x34 0x0 }")
        << "the ID read's sub-address frame; the probe is not logged";
}

TEST_F(DataLogBox, OffStopsLoggingAndOnAgainTruncates) {
    Click(OkapiForm, "DataLogCheckBox");
    ClickStart();
    Click(OkapiForm, "DataLogCheckBox");
    EXPECT_EQ(StatusLines(), (Strings{"READY", "READY"}));
    EXPECT_FALSE(Box()->isChecked());
    const Strings logged = DataLogLines();
    ASSERT_FALSE(logged.empty());

    const size_t framesBefore = board.Frames().size();
    ClickOffLine();
    ClickOffLine();  // START again: the chip is probed and read once more
    EXPECT_GT(board.Frames().size(), framesBefore) << "frames were sent";
    EXPECT_EQ(DataLogLines(), logged) << "but not logged";

    Click(OkapiForm, "DataLogCheckBox");
    EXPECT_EQ(DataLogLines(), Strings{}) << "switching on again starts a new log";
    ClickOffLine();
    ClickOffLine();
    const Strings relogged = DataLogLines();
    ASSERT_FALSE(relogged.empty());
    EXPECT_EQ(relogged.front(), "{0x34 0x0 }");
}

TEST_F(DataLogBox, FileThatCannotBeOpenedIsReported) {
    ASSERT_TRUE(QDir().mkdir("DataLog.txt"));  // a directory where the file should be
    Click(OkapiForm, "DataLogCheckBox");

    EXPECT_EQ(StatusLines(), (Strings{"READY", "DATALOG OPEN ERR"}));
    EXPECT_FALSE(Box()->isChecked());
    EXPECT_FALSE(TheSession().Log().Enabled());
    EXPECT_TRUE(Child(OkapiForm, "SecondErrorlabel")->toolTip().contains("DataLog.txt"));

    QDir().rmdir("DataLog.txt");
    Click(OkapiForm, "DataLogCheckBox");
    EXPECT_EQ(StatusLines(), (Strings{"READY", "DATALOG ON"}));
    EXPECT_TRUE(Child(OkapiForm, "SecondErrorlabel")->toolTip().isEmpty());
}

TEST_F(DataLogBox, AFullDiskUnticksTheBoxAtTheFirstFrame) {
    ClickStart();
    if (!test::MakeMemoryDevice("DataLog.txt", test::MemoryDevice::Full))
        GTEST_SKIP() << "making a device node needs root";
    Click(OkapiForm, "DataLogCheckBox");
    ASSERT_EQ(StatusLines(), (Strings{"READY", "DATALOG ON"}));
    Click(OkapiForm, "QK310PWMResetBitBtn");

    EXPECT_EQ(StatusLines(), (Strings{"READY", "DATALOG WRITE ERR"}));
    EXPECT_FALSE(Box()->isChecked());
    EXPECT_TRUE(Child(OkapiForm, "SecondErrorlabel")->toolTip().contains("No space left"));
    QFile::remove("DataLog.txt");
}

}  // namespace
}  // namespace qk::test
