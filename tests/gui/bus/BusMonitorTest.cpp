// The bus monitor on a virtual QK330: what each frame meant, READ ALL frame by frame, following the
// newest frame, the filter, the CSV file, and the bound on the frames kept.
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSlider>
#include <QTableView>
#include <QTemporaryDir>

#include "gui/bus/BusMonitorunit.h"
#include "gui/bus/Gpiounit.h"
#include "tests/gui/QK330Fixture.h"

namespace qk::test {
namespace {

class BusMonitor : public QK330Test {
  protected:
    void SetUp() override {
        QK330Test::SetUp();
        AnswerFileDialogsWith(csvPath);
        Click(OkapiForm, "QK330MonitorBitBtn");
        Click(BusMonitorForm, "ClearButton");
    }

    // The table's rows as "W 03h | meaning", after the table has taken in what came.
    static Texts Rows() {
        BusMonitorForm->SyncTable();
        const QAbstractItemModel* model = Child<QTableView>(BusMonitorForm, "FramesTable")->model();
        Texts rows;
        for (int row = 0; row < model->rowCount(); ++row) {
            const auto cell = [&](int column) {
                return model->index(row, column).data().toString().toStdString();
            };
            rows.push_back(cell(2) + " " + cell(3) + " | " + cell(6));
        }
        return rows;
    }

    // Whether the newest row is wholly in view, and the first row in view, once the table has
    // taken in what came (as its timer does, also in the middle of a long operation).
    struct View {
        bool newestShown;
        int firstShown;
    };
    static View Seen() {
        BusMonitorForm->SyncTable();
        auto* table = Child<QTableView>(BusMonitorForm, "FramesTable");
        const QModelIndex newest = table->model()->index(table->model()->rowCount() - 1, 0);
        return {table->viewport()->rect().contains(table->visualRect(newest)), table->rowAt(0)};
    }

    QTemporaryDir dir;
    QString csvPath = dir.filePath("frames.csv");
};

TEST_F(BusMonitor, NamesVolumeWritesAndTheFieldsAWriteChanges) {
    Click(OkapiForm, "QK330MasterVolZeroBitBtn");
    const Texts volumes = Rows();
    ASSERT_EQ(volumes.size(), 6u);
    EXPECT_EQ(volumes.front(), "W 26h | 26h-27h Ch1 Volume \u2190 03 CF: 0.00 dB");
    EXPECT_EQ(volumes[5], "W 30h | 30h-31h Ch6 Volume \u2190 03 CF: 0.00 dB");

    Click(BusMonitorForm, "ClearButton");
    Toggle(QK330RegForm, "CheckBox03_6");
    Click(QK330RegForm, "Reg03SendButton");
    EXPECT_EQ(Rows(), (Texts{"W 03h | 03h Sys Control 1 \u2190 53: Speed Mode 0 \u2192 1",
                             "W 03h | 03h Sys Control 1 \u2190 53: no change"}));
}

// READ ALL: a pointer frame and a read for each of the eleven registers, and the six write-backs
// of the setup windows, each read naming the value the board holds.
TEST_F(BusMonitor, FollowsReadAllFrameByFrame) {
    board.ClearFrames();
    Click(QK330RegForm, "ReadAllButton");
    const Texts rows = Rows();
    ASSERT_EQ(rows.size(), board.Frames().size());
    size_t reads = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        const board::DecodedFrame& frame = board.Frames()[i];
        const std::string sub =
            QString::asprintf("%02Xh",
                              frame.IsRead() ? board.Frames()[i - 1].bytes[0] : frame.bytes[0])
                .toStdString();
        if (frame.IsRead()) {
            ++reads;
            const std::string value = QString::asprintf("%02X", frame.bytes[0]).toStdString();
            EXPECT_TRUE(rows[i].starts_with("R " + sub + " | " + sub + " ")) << rows[i];
            EXPECT_NE(rows[i].find(" \u2192 " + value + ": "), std::string::npos) << rows[i];
        } else {
            EXPECT_TRUE(rows[i].starts_with("W " + sub + " | ")) << rows[i];
        }
    }
    EXPECT_EQ(reads, 11u);
    EXPECT_EQ(rows[1], "R 00h | 00h General Status \u2192 01: no change") << rows[1];
    EXPECT_EQ(dialogs, Texts{});
}

// Opened, the monitor shows the newest frame; it follows new frames while at the bottom, stays
// where the user scrolled up to, and follows again from the bottom or by "Follow".
TEST_F(BusMonitor, FollowsTheNewestFrameUnlessScrolledUp) {
    const auto readAll = [] { Click(QK330RegForm, "ReadAllButton"); };
    auto* follow = Child<QCheckBox>(BusMonitorForm, "FollowCheck");
    QScrollBar* bar = Child<QTableView>(BusMonitorForm, "FramesTable")->verticalScrollBar();
    Click(BusMonitorForm, "CloseButton");
    for (int i = 0; i < 3; ++i) readAll();
    Click(OkapiForm, "QK330MonitorBitBtn");
    EXPECT_TRUE(Seen().newestShown) << "opens at the newest frame";
    ASSERT_TRUE(follow->isChecked());
    readAll();
    EXPECT_TRUE(Seen().newestShown) << "follows";

    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_FALSE(follow->isChecked()) << "scrolled up";
    const int firstShown = Seen().firstShown;
    readAll();
    EXPECT_FALSE(Seen().newestShown);
    EXPECT_EQ(Seen().firstShown, firstShown) << "the view stays where the user put it";

    Toggle(BusMonitorForm, "FollowCheck");
    EXPECT_TRUE(Seen().newestShown) << "checking Follow jumps to the newest frame";
    readAll();
    EXPECT_TRUE(Seen().newestShown);

    Toggle(BusMonitorForm, "FollowCheck");
    readAll();
    EXPECT_FALSE(Seen().newestShown) << "unchecked, Follow holds the view";
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_TRUE(follow->isChecked()) << "back at the bottom";
    readAll();
    EXPECT_TRUE(Seen().newestShown);
}

// "26h-27h Ch1 Volume byte 1 of 2 <arrow> 03; word 03CF = 0.00 dB"
std::string ByteOfWord(const RegisterInfo& info, size_t byte, const char* arrow, uint8_t value,
                       const char* word, const char* text) {
    return QString::asprintf("%02Xh-%02Xh %s byte %zu of %d %s %02X; word %s = %s", info.subAddress,
                             info.subAddress + info.width - 1, info.name, byte + 1, info.width,
                             arrow, value, word, text)
        .toStdString();
}

// Each byte of every value of several bytes, read alone, names its place in the value and the
// whole value as the frames before (or the image) left the other bytes.
TEST_F(BusMonitor, NamesEachByteOfAWordReadAlone) {
    const struct {
        Conversion conversion;
        const char* word;
        const char* text;
    } activated[] = {
        {Conversion::PadcOffset, "0000", "0.0000%"},
        {Conversion::QK330DcOffset, "0000", "0.0000%"},
        {Conversion::QK330Volume, "03CF", "0.00 dB"},
        {Conversion::SeOffset, "20410000", "0.503967285156250000000000000000"},
    };
    const RegisterMap& map = QK330Map();
    int words = 0;
    for (const RegisterInfo& info : map.registers) {
        if (info.width < 2) continue;
        ++words;
        const auto* value =
            std::find_if(std::begin(activated), std::end(activated),
                         [&](const auto& a) { return a.conversion == info.conversion; });
        ASSERT_NE(value, std::end(activated)) << info.name;
        const std::vector<uint8_t> subs = map.BytesOf(info);
        for (size_t k = 0; k < subs.size(); ++k) {
            Click(BusMonitorForm, "ClearButton");
            const uint8_t read = TheSession().QK330Image().ReadAndStore(subs[k]);
            const Texts rows = Rows();
            ASSERT_EQ(rows.size(), 2u) << info.name;
            EXPECT_EQ(rows[1], QString::asprintf("R %02Xh | ", subs[k]).toStdString() +
                                   ByteOfWord(info, k, "\u2192", read, value->word, value->text));
        }
    }
    EXPECT_EQ(words, 14);
}

// The activation writes the SE offset a byte at a time, four times over.
TEST_F(BusMonitor, NamesTheActivationsSeOffsetBytes) {
    Click(OkapiForm, "QK330InitSWBitBtn");
    const RegisterInfo& seOffset = *QK330Map().Find(0x32);
    Texts seRows, expected;
    for (const std::string& row : Rows())
        if (row.starts_with("W 3") && row[3] >= '2' && row[3] <= '5') seRows.push_back(row);
    const uint8_t bytes[] = {0x20, 0x41, 0x00, 0x00};
    for (int apply = 0; apply < 4; ++apply)
        for (size_t k = 0; k < 4; ++k)
            expected.push_back(QString::asprintf("W %02zXh | ", 0x32 + k).toStdString() +
                               ByteOfWord(seOffset, k, "\u2190", bytes[k], "20410000",
                                          "0.503967285156250000000000000000"));
    EXPECT_EQ(seRows, expected);
}

TEST_F(BusMonitor, FiltersByRegisterAndSavesWhatItShows) {
    Click(OkapiForm, "QK330MasterVolZeroBitBtn");
    QTest::keyClicks(Child<QLineEdit>(BusMonitorForm, "FilterEdit"), "27h");
    EXPECT_EQ(Rows(), Texts{"W 26h | 26h-27h Ch1 Volume \u2190 03 CF: 0.00 dB"});
    Click(BusMonitorForm, "SaveButton");
    QFile file(csvPath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "time,address,direction,sub-address,bytes,read,meaning,error");
    EXPECT_TRUE(
        lines[1].endsWith(",0x1a,W,26h,26 03 CF,,26h-27h Ch1 Volume \u2190 03 CF: 0.00 dB,"))
        << lines[1].toStdString();

    csvPath = dir.filePath("no-such-folder/frames.csv");
    Click(BusMonitorForm, "SaveButton");
    EXPECT_EQ(dialogs, Texts{"SaveErrorMessage"});
}

TEST_F(BusMonitor, KeepsTheNewestFramesUpToItsLimit) {
    const FrameRecord frame{
        .kind = FrameRecord::Kind::Write, .address = 0x34, .bytes = {0x13}, .read = {}};
    constexpr size_t Extra = 5;
    for (size_t i = 0; i < TBusMonitorForm::MaxFrames + Extra; ++i)
        BusMonitorForm->Recorder().OnFrame(frame);
    BusMonitorForm->SyncTable();
    auto* table = Child<QTableView>(BusMonitorForm, "FramesTable");
    EXPECT_EQ(size_t(table->model()->rowCount()), TBusMonitorForm::MaxFrames);
    EXPECT_EQ(Child<QLabel>(BusMonitorForm, "CountLabel")->text(),
              "100000 frames (the last 100000 are kept)");
}

TEST_F(BusMonitor, OpensFromThePinsWindowAndStaysOpenOverAChipChange) {
    BusMonitorForm->hide();
    qk::OpenWindow(GPIOForm);
    Click(GPIOForm, "MonitorBitBtn");
    EXPECT_TRUE(BusMonitorForm->isVisible());
    Click(OkapiForm, "QK330InitSWBitBtn");  // RESET selects the chip again
    EXPECT_TRUE(BusMonitorForm->isVisible());
    EXPECT_FALSE(Rows().empty());
}

}  // namespace
}  // namespace qk::test
