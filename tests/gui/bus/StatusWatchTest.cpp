// The status watch on a virtual QK330: it reads only the status registers, shows a raised fault on
// its lamp and in its CSV file, clears it with Zero, and stops at a bus error with one message.
#include <QFileDialog>
#include <QLabel>
#include <QSpinBox>
#include <QTemporaryDir>

#include "board/BoardEvents.h"
#include "board/window/BoardWindow.h"
#include "gui/bus/StatusWatchunit.h"
#include "tests/gui/QK330Fixture.h"

namespace qk::test {
namespace {

class StatusWatch : public QK330Test {
  protected:
    void SetUp() override {
        QK330Test::SetUp();
        csvPath = dir.filePath("status.csv");
        AnswerFileDialogsWith(csvPath);
        dialogs.clear();
        Click(OkapiForm, "QK330WatchBitBtn");
        ASSERT_TRUE(StatusWatchForm->isVisible());
        Child<QSpinBox>(StatusWatchForm, "IntervalSpinBox")->setValue(100);
        Click(StatusWatchForm, "CsvButton");
    }

    void Raise(const char* event) { board::ApplyEvent(board, board::Chip::QK330, event); }
    // Lets the event loop run until the watch has polled `polls` more times (each poll is four
    // frames: the sub-address and the read of 00h, then of 01h).
    void WaitForPolls(int polls) {
        const size_t until = board.Frames().size() + 4 * polls;
        ASSERT_TRUE(QTest::qWaitFor([&] { return board.Frames().size() >= until; }, 20000));
    }
    static QString Lamp(const char* name) {
        return Child<QLabel>(StatusWatchForm, name)->toolTip();
    }
    QStringList CsvLines() const {
        QFile file(csvPath);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {"<no file>"};
        QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
        for (QString& line : lines) line = line.section(',', 1);  // without the time
        return lines;
    }
    // Every frame since START was a status read, but for `writes`.
    void ExpectOnlyStatusReads(const std::vector<std::string>& writes) {
        std::vector<std::string> seen;
        for (const std::string& frame : board.FrameTexts()) {
            if (frame == "34 00" || frame == "34 01" || frame.starts_with("35 ")) continue;
            seen.push_back(frame);
        }
        EXPECT_EQ(seen, writes);
    }

    QTemporaryDir dir;
    QString csvPath;
};

TEST_F(StatusWatch, RaisedBitShowsOnItsLampAndInTheCsvAndZeroClearsIt) {
    Click(StatusWatchForm, "StartStopButton");
    EXPECT_EQ(Child<QPushButton>(StatusWatchForm, "StartStopButton")->text(), "STOP");
    EXPECT_TRUE(Lamp("Lamp01_4").startsWith("LRCLK (01h D4) = 0"))
        << Lamp("Lamp01_4").toStdString();
    Raise("lrclk-loss");
    WaitForPolls(2);
    EXPECT_TRUE(Lamp("Lamp01_4").startsWith("LRCLK (01h D4) = 1"))
        << Lamp("Lamp01_4").toStdString();
    EXPECT_TRUE(Lamp("Lamp01_4").endsWith("seen set 1 times"));
    EXPECT_TRUE(Lamp("Lamp00_0").startsWith("No Errors (00h D0) = 0"));
    Raise("clear-lrclk");
    WaitForPolls(2);
    EXPECT_TRUE(Lamp("Lamp01_4").startsWith("LRCLK (01h D4) = 1")) << "latched until Zero";

    Click(StatusWatchForm, "ZeroButton");
    WaitForPolls(1);
    EXPECT_TRUE(Lamp("Lamp01_4").startsWith("LRCLK (01h D4) = 0"));
    ExpectOnlyStatusReads({"34 01 80"});
    // The levels at START, then each change.
    const QStringList expected = {"register,bit,old,new", "00h,Vol Update,,0", "00h,No Errors,,1",
                                  "01h,No Clip,,1",       "01h,SCLK,,0",       "01h,LRCLK,,0",
                                  "01h,Frame Slip,,0",    "01h,PSU OV,,0",     "01h,PSU UV,,0",
                                  "01h,PSU OF,,0",        "00h,No Errors,1,0", "01h,LRCLK,0,1",
                                  "00h,No Errors,0,1",    "01h,LRCLK,1,0"};
    EXPECT_EQ(CsvLines(), expected);
}

TEST_F(StatusWatch, BusErrorStopsPollingWithOneMessage) {
    Click(StatusWatchForm, "StartStopButton");
    board.SetFault(board::Fault::NoDevice);
    ASSERT_TRUE(QTest::qWaitFor([] { return !StatusWatchForm->Polling(); }, 20000));
    QTest::qWait(300);  // three more intervals: nothing more may come
    EXPECT_FALSE(StatusWatchForm->Polling());
    EXPECT_EQ(Child<QLabel>(StatusWatchForm, "NoteLabel")->text(),
              "Polling stopped: ACK Error. RESET on the main window clears it.");
    EXPECT_EQ(Child<QPushButton>(StatusWatchForm, "StartStopButton")->text(), "START");
    EXPECT_EQ(dialogs, std::vector<std::string>{"ACK_ErrorDialogForm"});
}

// Closed by its CLOSE button or by the window's own close, the watch reads nothing more, and opened
// again it shows that it stopped until the user starts it.
TEST_F(StatusWatch, ClosingStopsPollingUntilStartedAgain) {
    const std::function<void()> closes[] = {[] { Click(StatusWatchForm, "CloseButton"); },
                                            [] { StatusWatchForm->close(); }};
    for (const auto& close : closes) {
        Click(StatusWatchForm, "StartStopButton");
        ASSERT_TRUE(StatusWatchForm->Polling());
        close();
        EXPECT_FALSE(StatusWatchForm->isVisible());
        board.ClearFrames();
        QTest::qWait(300);  // three intervals
        EXPECT_EQ(board.FrameTexts(), std::vector<std::string>{});
        Click(OkapiForm, "QK330WatchBitBtn");
        QTest::qWait(300);
        EXPECT_EQ(board.FrameTexts(), std::vector<std::string>{});
        EXPECT_EQ(Child<QPushButton>(StatusWatchForm, "StartStopButton")->text(), "START");
        EXPECT_EQ(Child<QLabel>(StatusWatchForm, "NoteLabel")->text(), "Stopped.");
    }
}

TEST_F(StatusWatch, WaitsWhileTheBusIsHeldAndStopsOffLine) {
    Click(StatusWatchForm, "StartStopButton");
    board.ClearFrames();
    {
        const I2cMaster::LongOperation held(TheSession().Master());
        StatusWatchForm->Poll();
        EXPECT_TRUE(board.Frames().empty());
    }
    StatusWatchForm->Poll();
    EXPECT_EQ(board.Frames().size(), 4u);
    ClickOffLine();
    EXPECT_FALSE(StatusWatchForm->Polling());
    EXPECT_FALSE(Child<QPushButton>(StatusWatchForm, "StartStopButton")->isEnabled());
    EXPECT_EQ(Child<QLabel>(StatusWatchForm, "NoteLabel")->text(),
              "OFF LINE: the watch reads nothing while the bus is off line.");
}

enum class LampColour { Red, Green, Grey };

LampColour ColourOf(const QColor& colour) {
    if (colour.hsvSaturation() < 40) return LampColour::Grey;
    return colour.red() > colour.green() ? LampColour::Red : LampColour::Green;
}

// Every status bit of a family, set and then clear on the board: the lamp is red for a fault,
// green for good and grey for information, as the register map gives the bit's sense, and the
// tooltip says so.
class StatusLamps : public MainWindowTest, public testing::WithParamInterface<board::Chip> {
  protected:
    StatusLamps() : MainWindowTest(GetParam()) {}
};

TEST_P(StatusLamps, ShowEachLevelAsTheBitsSenseSays) {
    ClickStart();
    const bool qk330 = GetParam() == board::Chip::QK330;
    if (qk330) {
        LogIn("pelmak");
        Click(OkapiForm, "QK330RadioButton");
    }
    Click(OkapiForm, qk330 ? "QK330WatchBitBtn" : "WatchBitBtn");
    const auto& bits = StatusBits(qk330 ? ChipFamily::QK330 : ChipFamily::QK310);
    ASSERT_EQ(bits.size(), qk330 ? 9u : 11u);
    for (const StatusBit& bit : bits) {
        const auto mask = static_cast<uint8_t>(1u << bit.bit);
        for (const bool level : {true, false}) {
            const uint8_t held = board.Register(bit.reg);
            board.SetRegister(bit.reg, level ? held | mask : held & ~mask);
            StatusWatchForm->Poll();
            auto* lamp = Child<QLabel>(StatusWatchForm,
                                       QString::asprintf("Lamp%02X_%d", bit.reg, bit.bit).toUtf8());
            const LampColour expected = bit.sense == BitSense::Information ? LampColour::Grey
                                        : bit.IsFault(level)               ? LampColour::Red
                                                                           : LampColour::Green;
            EXPECT_EQ(ColourOf(lamp->grab().toImage().pixelColor(4, 4)), expected)
                << bit.name << " = " << level;
            const std::string verdict = bit.sense == BitSense::Information ? "information"
                                        : bit.IsFault(level)
                                            ? std::string("fault (") + bit.fault + ")"
                                            : "good";
            EXPECT_TRUE(lamp->toolTip().startsWith(QString::asprintf(
                "%s (%02Xh D%d) = %d: %s", bit.name, bit.reg, bit.bit, level, verdict.c_str())))
                << lamp->toolTip().toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothGenerations, StatusLamps,
                         testing::Values(board::Chip::QK310, board::Chip::QK330));

// qk3xx-virtual's Board window, connected as the program connects it: "+" counts from the first
// poll.
TEST_F(StatusWatch, PlusEventsOfTheBoardBeginAtTheFirstPoll) {
    board::BoardWindow boardWindow(board, board::Chip::QK330);
    QObject::connect(StatusWatchForm, &TStatusWatchForm::Polled, &boardWindow,
                     &board::BoardWindow::WatchPolled);
    std::vector<board::TimedEvent> schedule;
    std::string error;
    ASSERT_TRUE(board::ParseEventSchedule("+0s:lrclk-loss", schedule, error)) << error;
    boardWindow.Schedule(schedule);
    QTest::qWait(100);
    EXPECT_EQ(board.Register(0x01), 0x80) << "not before the first poll";
    Click(StatusWatchForm, "StartStopButton");
    // The event fires from the board's timer after the first poll; a later poll shows it.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return Lamp("Lamp01_4").startsWith("LRCLK (01h D4) = 1"); }, 20000))
        << Lamp("Lamp01_4").toStdString();
}

}  // namespace
}  // namespace qk::test
