// A restore from the Snapshot window: its frames on the wire, first to last, and the windows and
// the main window's panel showing the restored registers without a frame of their own.
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <filesystem>
#include <fstream>

#include "core/snapshot/SnapshotFile.h"
#include "gui/app/Snapshotunit.h"
#include "gui/gen1/Balanceunitsixch.h"
#include "gui/gen1/Registersunit.h"
#include "tests/gui/MainWindowFixture.h"
#include "tests/gui/RegisterBoxesSupport.h"
#include "tests/support/ScratchFolder.h"

namespace qk::test {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

// A virtual chip after START with its chip selected (a QK330 through the login), logged in or
// out as asked, and the Snapshot window open, its file dialogs answered by `path`.
class RestoreTest : public MainWindowTest {
  protected:
    RestoreTest(board::Chip chip, bool login)
        : MainWindowTest(chip), qk330_(chip == board::Chip::QK330), login_(login) {}

    void SetUp() override {
        MainWindowTest::SetUp();
        ClickStart();
        if (qk330_) {
            LogIn("pelmak");
            Click(OkapiForm, "QK330RadioButton");
        }
        LogIn(login_ ? "pelmak" : "logout");
        fs::create_directories(folder);
        SnapshotForm->SetFileChooser([this](TSnapshotForm::FileUse, const QString&) {
            return QString::fromStdString(path.string());
        });
        Click(OkapiForm, qk330_ ? "QK330SnapshotBitBtn" : "SnapshotBitBtn");
    }
    void TearDown() override {
        fs::remove_all(folder);
        MainWindowTest::TearDown();
    }
    void Restore(const char* file) {
        std::ofstream(path) << file;
        board.ClearFrames();
        Click(SnapshotForm, "RestoreButton");
    }
    static std::string Result() {
        return Child<QLabel>(SnapshotForm, "ResultLabel")->text().toStdString();
    }
    uint8_t Stored(uint8_t sub) const {
        return qk330_ ? TheSession().QK330Image().Current(sub)
                      : TheSession().FirstGenerationImage().Current(sub);
    }

    const bool qk330_;
    const bool login_;
    fs::path folder = ScratchFolder("snapshot-restore");
    fs::path path = folder / "board.txt";
};

// Registers behind a setup window, a channel window, a word, the SE offset, the volumes, the
// mutes and the test registers.
constexpr auto kQK330File =
    "# chip: QK330\n03: 52\n06: 15\n11: 2d\n14: 01\n15: 80\n20: 33\n26: 02\n27: 1f\n"
    "32: 1c\n33: 71\n34: c7\n35: 21\n79: f3\n7c: 44\n7f: 05\n";
constexpr auto kQK310File =
    "# chip: QK310\n02: 13\n03: 7c\n06: 05\n0c: 21\n13: 40\n14: 80\n19: 3b\n1e: 18\n1f: 01\n";

struct FramesCase {
    const char* name;
    board::Chip chip;
    bool login;
    const char* file;
    Texts frames;  // every frame of the restore: writes, then the read-backs
};
void PrintTo(const FramesCase& c, std::ostream* os) {
    *os << c.name;
}

class RestoreFrames : public RestoreTest, public ::testing::WithParamInterface<FramesCase> {
  protected:
    RestoreFrames() : RestoreTest(GetParam().chip, GetParam().login) {}
};

// The mute write, the writes in address order (test registers only with the login), the mute
// register, the read-backs; nothing after them. The image then holds what the chip holds.
TEST_P(RestoreFrames, AreTheRestoreAndNothingElse) {
    Restore(GetParam().file);
    EXPECT_EQ(board.FrameTexts(), GetParam().frames) << Result();
    const ChipFamily family = qk330_ ? ChipFamily::QK330 : ChipFamily::QK310;
    const Snapshot file = *ReadSnapshotFile(path, family).snapshot;
    for (const auto& [sub, value] : file.values)
        EXPECT_EQ(Stored(sub), board.Register(sub)) << int(sub);
}

const Texts kQK330Writes = {"34 11 00",    "34 03 52", "34 06 15", "34 14 01 80", "34 20 33",
                            "34 26 02 1F", "34 32 1C", "34 33 71", "34 34 C7",    "34 35 21"};
const Texts kQK330ReadBacks = {"34 03", "35 52", "34 06", "35 15", "34 14", "35 01",
                               "34 15", "35 80", "34 20", "35 33", "34 26", "35 02",
                               "34 27", "35 1F", "34 32", "35 1C", "34 33", "35 71",
                               "34 34", "35 C7", "34 35", "35 21"};
Texts Joined(std::initializer_list<Texts> parts) {
    Texts all;
    for (const Texts& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

INSTANTIATE_TEST_SUITE_P(
    BothFamilies, RestoreFrames,
    ::testing::Values(
        FramesCase{"QK330", board::Chip::QK330, false, kQK330File,
                   Joined({kQK330Writes, {"34 11 2D"}, kQK330ReadBacks, {"34 11", "35 2D"}})},
        FramesCase{
            "QK330LoggedIn", board::Chip::QK330, true, kQK330File,
            Joined({kQK330Writes,
                    {"34 79 F3", "34 7C 44", "34 7F 05", "34 11 2D"},
                    kQK330ReadBacks,
                    {"34 79", "35 F3", "34 7C", "35 44", "34 7F", "35 05", "34 11", "35 2D"}})},
        FramesCase{"QK310",
                   board::Chip::QK310,
                   false,
                   kQK310File,
                   {"34 19 00", "34 02 13", "34 03 7C", "34 06 05", "34 0C 21", "34 13 40",
                    "34 14 80", "34 19 3B", "34 02", "35 13", "34 03", "35 7C", "34 06", "35 05",
                    "34 0C", "35 21", "34 19", "35 3B"}},
        FramesCase{"QK310LoggedIn",
                   board::Chip::QK310,
                   true,
                   kQK310File,
                   {"34 19 00", "34 02 13", "34 03 7C", "34 06 05", "34 0C 21", "34 13 40",
                    "34 14 80", "34 1E 18", "34 1F 01", "34 19 3B", "34 02",    "35 13",
                    "34 03",    "35 7C",    "34 06",    "35 05",    "34 0C",    "35 21",
                    "34 1E",    "35 18",    "34 1F",    "35 01",    "34 19",    "35 3B"}}),
    [](const auto& test) { return std::string(test.param.name); });

// The main window's panel after a restore of channel volumes and mutes: slider positions that
// give each channel its code, the readouts, the channel boxes.
struct PanelCase {
    const char* name;
    board::Chip chip;
    const char* file;
    int master;
    std::array<int, ChannelCount> offsets;
    Texts hexReadouts;
    uint8_t channelBoxes;  // bit n-1 for channel n's box checked
};
void PrintTo(const PanelCase& c, std::ostream* os) {
    *os << c.name;
}

class RestoredPanel : public RestoreTest, public ::testing::WithParamInterface<PanelCase> {
  protected:
    RestoredPanel() : RestoreTest(GetParam().chip, false) {}
};

TEST_P(RestoredPanel, FollowsTheChannels) {
    const PanelCase& c = GetParam();
    Restore(c.file);
    const bool qk330 = c.chip == board::Chip::QK330;
    EXPECT_EQ(
        Child<QSlider>(OkapiForm, qk330 ? "QK330MasterVolTrackBar" : "MasterVolTrackBar")->value(),
        c.master);
    QWidget* balance = qk330 ? static_cast<QWidget*>(QK330SixChBalanceForm) : SixChBalanceForm;
    Texts hex;
    uint8_t boxes = 0;
    for (int channel = 1; channel <= ChannelCount; ++channel) {
        const std::string slider = "VolTrackBar" + std::to_string(channel);
        EXPECT_EQ(Child<QSlider>(balance, slider.c_str())->value(), c.offsets[channel - 1])
            << channel;
        hex.push_back(OkapiForm->ChannelHexReadout(channel)->text().toStdString());
        if (OkapiForm->VolumeCheckBox(channel)->isChecked()) boxes |= uint8_t(1 << (channel - 1));
        EXPECT_EQ(Child<QSlider>(balance, slider.c_str())->isEnabled(),
                  (c.channelBoxes >> (channel - 1) & 1) != 0);
    }
    EXPECT_EQ(hex, c.hexReadouts);
    EXPECT_EQ(boxes, c.channelBoxes);
}

INSTANTIATE_TEST_SUITE_P(
    BothFamilies, RestoredPanel,
    ::testing::Values(
        // The master stays at 0 dB: both offsets fit.
        PanelCase{"QK310",
                  board::Chip::QK310,
                  "# chip: QK310\n13: 40\n14: 80\n19: 3b\n",
                  48,
                  {137, 73, 0, 0, 0, 0},
                  {"0x0040", "0x0080", "0x00C9", "0x00C9", "0x00C9", "0x00C9"},
                  0x3B},
        // Channel 1 is louder than the master at 0 dB allows: the master moves up to it.
        PanelCase{"QK330",
                  board::Chip::QK330,
                  "# chip: QK330\n11: 2d\n26: 04\n27: 4c\n28: 02\n29: 1f\n",
                  162,
                  {0, 557, 125, 125, 125, 125},
                  {"0x044C", "0x021F", "0x03CF", "0x03CF", "0x03CF", "0x03CF"},
                  0x2D}),
    [](const auto& test) { return std::string(test.param.name); });

// Off line the restore's writes are logged, and nothing else.
class OffLineRestore : public RestoreTest {
  protected:
    OffLineRestore() : RestoreTest(board::Chip::QK310, false) {}
    void TearDown() override {
        RestoreTest::TearDown();
        QFile::remove("DataLog.txt");
    }
};

TEST_F(OffLineRestore, LogsOnlyItsWrites) {
    ClickOffLine();
    Click(OkapiForm, "DataLogCheckBox");
    Restore(kQK310File);
    EXPECT_EQ(DataLogLines(), (Texts{"{0x34 0x19 0x0 }", "{0x34 0x2 0x13 }", "{0x34 0x3 0x7c }",
                                     "{0x34 0x6 0x5 }", "{0x34 0xc 0x21 }", "{0x34 0x13 0x40 }",
                                     "{0x34 0x14 0x80 }", "{0x34 0x19 0x3b }"}));
}

// Each kind of window shows the restored registers.
class RestoredWindows : public RestoreTest {
  protected:
    RestoredWindows() : RestoreTest(board::Chip::QK330, true) {}
    static std::string TextOf(QWidget* window, const char* control) {
        if (auto* edit = window->findChild<QLineEdit*>(control)) return edit->text().toStdString();
        return Child<QLabel>(window, control)->text().toStdString();
    }
};

TEST_F(RestoredWindows, ShowTheFile) {
    Restore(kQK330File);
    EXPECT_EQ(qk::test::Shown(QK330RegForm->Group(0x03)), 0x52);
    EXPECT_EQ(qk::test::Shown(QK330RegForm->Group(0x11)), 0x2D);
    EXPECT_EQ(qk::test::Shown(QK330ChConfigControlRegForm->ChannelBoxes(1)), 0x15);
    EXPECT_EQ(qk::test::Shown(QK330TestRegForm->TestBoxes(0x7F)), 0x05);
    const std::pair<QWidget*, Texts> texts[] = {
        {QK330DCOffsetForm, {"Ch1HexReadout", "0x0180"}},
        {QK330InterchDelayForm, {"Ch1Readout", "0x33"}},
        {QK330SEOffsetRegForm,
         {"Byte1Edit", "1c", "Byte2Edit", "71", "Byte3Edit", "c7", "Byte4Edit", "21"}},
        {QK330TestRegForm, {"PSC_PredHexReadout", "0x44"}},
        {OkapiForm, {"Ch1HexReadout", "0x021F"}},
    };
    for (const auto& [window, pairs] : texts)
        for (size_t i = 0; i < pairs.size(); i += 2)
            EXPECT_EQ(TextOf(window, pairs[i].c_str()), pairs[i + 1]) << pairs[i];
}

// A restore while MUTE ALL is engaged: the chip stays muted, the image and the channel boxes take
// the file's mutes, and releasing MUTE ALL writes them.
struct MuteAllCase {
    const char* name;
    board::Chip chip;
    const char* file;
    const char* button;
    uint8_t muteRegister;
    uint8_t fileMutes;
    uint8_t chipMutes;  // the file's value with every channel muted
};
void PrintTo(const MuteAllCase& c, std::ostream* os) {
    *os << c.name;
}

class RestoreUnderMuteAll : public RestoreTest, public ::testing::WithParamInterface<MuteAllCase> {
  protected:
    RestoreUnderMuteAll() : RestoreTest(GetParam().chip, false) {}
    uint8_t EditorShows(uint8_t sub) const {
        return qk::test::Shown(qk330_ ? QK330RegForm->Group(sub) : RegistersForm->Group(sub));
    }
};

TEST_P(RestoreUnderMuteAll, KeepsTheChannelsMutedUntilItIsReleased) {
    const MuteAllCase& c = GetParam();
    auto* button = Child<QAbstractButton>(OkapiForm, c.button);
    button->click();
    Restore(c.file);
    EXPECT_EQ(board.Register(c.muteRegister), c.chipMutes);
    EXPECT_EQ(button->text(), "MUTED");
    EXPECT_EQ(EditorShows(c.muteRegister), c.chipMutes) << "the editor shows what the chip holds";
    EXPECT_EQ(Stored(c.muteRegister), c.fileMutes);
    uint8_t boxes = 0;
    for (int channel = 1; channel <= ChannelCount; ++channel)
        if (OkapiForm->VolumeCheckBox(channel)->isChecked()) boxes |= uint8_t(1 << (channel - 1));
    EXPECT_EQ(boxes, c.fileMutes & 0x3F);
    EXPECT_NE(Result().find("\nMUTE ALL is engaged: the channels stay muted; releasing MUTE ALL "
                            "applies the file's channel mutes"),
              std::string::npos)
        << Result();

    board.ClearFrames();
    button->click();
    EXPECT_EQ(board.FrameTexts(),
              Texts{QString::asprintf("34 %02X %02X", c.muteRegister, c.fileMutes).toStdString()});
    EXPECT_EQ(button->text(), "MUTE ALL");
}

INSTANTIATE_TEST_SUITE_P(
    BothFamilies, RestoreUnderMuteAll,
    ::testing::Values(MuteAllCase{"QK310", board::Chip::QK310, "# chip: QK310\n03: 7c\n19: bb\n",
                                  "QK310MuteAllBitBtn", 0x19, 0xBB, 0x80},
                      MuteAllCase{"QK330", board::Chip::QK330, "# chip: QK330\n03: 52\n11: 6d\n",
                                  "QK330MuteAllBitBtn", 0x11, 0x6D, 0x40}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace qk::test
