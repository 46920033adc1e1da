#include <QLabel>
#include <filesystem>
#include <fstream>

#include "core/snapshot/SnapshotFile.h"
#include "gui/app/Snapshotunit.h"
#include "gui/gen1/Registersunit.h"
#include "gui/qk330/QK330ChConfigControlRegunit.h"
#include "gui/qk330/QK330Testregunit.h"
#include "tests/gui/QK330Fixture.h"
#include "tests/support/ScratchFolder.h"

namespace qk::test {
namespace {

namespace fs = std::filesystem;

// The Snapshot window on a virtual QK330, logged in, with the file dialog answered by `path`.
class SnapshotWindowTest : public QK330Test {
  protected:
    void SetUp() override {
        QK330Test::SetUp();
        fs::create_directories(folder);
        SnapshotForm->SetFileChooser([this](TSnapshotForm::FileUse, const QString&) {
            return QString::fromStdString(path.string());
        });
        Click(OkapiForm, "QK330SnapshotBitBtn");
    }
    void TearDown() override {
        fs::remove_all(folder);
        QK330Test::TearDown();
    }
    static std::string Result() {
        return Child<QLabel>(SnapshotForm, "ResultLabel")->text().toStdString();
    }
    Snapshot File() const { return *ReadSnapshotFile(path, ChipFamily::QK330).snapshot; }
    // Changes three registers through three windows.
    void ChangeThroughThreeWindows() {
        Toggle(QK330RegForm, "CheckBox03_6");
        Click(QK330RegForm, "Reg03SendButton");
        Toggle(QK330ChConfigControlRegForm, "CheckBox06_4");
        Click(QK330ChConfigControlRegForm, "Reg06SendButton");
        Toggle(QK330TestRegForm, "CheckBox7F_1");
        Click(QK330TestRegForm, "Reg7FSendButton");
    }

    fs::path folder = ScratchFolder("snapshot-window");
    fs::path path = folder / "board.txt";
};

TEST_F(SnapshotWindowTest, RestoresASavedSnapshotAndEveryWindowShowsIt) {
    EXPECT_TRUE(SnapshotForm->isVisible());
    EXPECT_EQ(SnapshotForm->windowTitle(), "Snapshot");
    Click(SnapshotForm, "SaveButton");
    EXPECT_EQ(Result(), "Saved 61 registers to " + path.string());
    const Snapshot saved = File();
    ChangeThroughThreeWindows();
    ASSERT_NE(board.Register(0x03), *saved.Value(0x03));

    Click(SnapshotForm, "CompareButton");
    auto* table = Child<QTableWidget>(SnapshotForm, "DifferencesTable");
    ASSERT_GE(table->rowCount(), 3);
    EXPECT_EQ(table->item(0, 1)->text(), "Sys Control 1");

    board.ClearFrames();
    Click(SnapshotForm, "RestoreButton");
    EXPECT_EQ(Result(), "Restored 58 registers, verified");
    EXPECT_EQ(board.FrameTexts().front(), "34 11 00");
    for (const auto& [sub, value] : saved.values) {
        if (MapOf(ChipFamily::QK330).Find(sub)->access == RegisterAccess::ReadOnly) continue;
        EXPECT_EQ(board.Register(sub), *value) << int(sub);
    }
    EXPECT_EQ(Shows(0x03), *saved.Value(0x03));
    EXPECT_EQ(qk::test::Shown(QK330ChConfigControlRegForm->ChannelBoxes(1)), *saved.Value(0x06));
    EXPECT_EQ(qk::test::Shown(QK330TestRegForm->TestBoxes(0x7F)), *saved.Value(0x7F));
}

// The status registers change by themselves: COMPARE lists them only when asked.
TEST_F(SnapshotWindowTest, ComparesTheStatusRegistersOnlyWhenAsked) {
    auto* all = Child<QCheckBox>(SnapshotForm, "AllRegistersCheckBox");
    ASSERT_NE(all, nullptr);
    EXPECT_EQ(all->text(), "Include status registers");
    Click(SnapshotForm, "SaveButton");
    board.SetRegister(0x01, board.Register(0x01) ^ 0x04);
    for (bool asked : {false, true}) {
        all->setChecked(asked);
        Click(SnapshotForm, "CompareButton");
        auto* table = Child<QTableWidget>(SnapshotForm, "DifferencesTable");
        std::vector<std::string> status;
        for (int row = 0; row < table->rowCount(); ++row)
            if (table->item(row, 0)->text() <= "01h")
                status.push_back(table->item(row, 0)->text().toStdString());
        EXPECT_EQ(status, asked ? std::vector<std::string>{"01h"} : std::vector<std::string>{});
    }
}

TEST_F(SnapshotWindowTest, ListsAStuckBitAfterTheRestore) {
    Click(SnapshotForm, "SaveButton");
    board.SetStuckBit(0x12, 0);
    Click(SnapshotForm, "RestoreButton");
    EXPECT_EQ(Result(),
              "1 register differs after restore: Error Recovery (12h): wrote 3f, read 3e (Ch1 No "
              "ERM: wrote 1, read 0)");
    EXPECT_EQ(Shows(0x12), 0x3E) << "the editor shows what the chip holds";
}

TEST_F(SnapshotWindowTest, RestoresOffLineIntoTheLogOnly) {
    Click(SnapshotForm, "SaveButton");
    ChangeThroughThreeWindows();
    ClickOffLine();
    board.ClearFrames();
    Click(SnapshotForm, "RestoreButton");
    EXPECT_EQ(Result(), "Restored 58 registers off line (log only); verification skipped");
    EXPECT_TRUE(board.Frames().empty());
    EXPECT_EQ(Shows(0x03), *File().Value(0x03));
}

TEST_F(SnapshotWindowTest, RefusesABadFileAndWritesNothing) {
    std::ofstream(path) << "# chip: QK330\n03: 13\n40: 00\n";
    board.ClearFrames();
    Click(SnapshotForm, "RestoreButton");
    EXPECT_EQ(Result(), "board.txt:3: the QK330/QK340 has no register 40h: 40: 00");
    EXPECT_TRUE(board.Frames().empty());
}

// The first generation: a virtual QK310 after START, without the engineering login.
class Gen1SnapshotTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        ClickStart();
        fs::create_directories(folder);
        SnapshotForm->SetFileChooser([this](TSnapshotForm::FileUse, const QString&) {
            return QString::fromStdString(path.string());
        });
        Click(OkapiForm, "SnapshotBitBtn");
    }
    void TearDown() override {
        fs::remove_all(folder);
        MainWindowTest::TearDown();
    }
    fs::path folder = ScratchFolder("snapshot-gen1");
    fs::path path = folder / "board.txt";
};

TEST_F(Gen1SnapshotTest, RestoresASavedSnapshotWithoutTheTestRegisters) {
    ASSERT_EQ(std::string(TheSession().SelectedChip()->name), "QK310");
    Click(SnapshotForm, "SaveButton");
    const Snapshot saved = *ReadSnapshotFile(path, ChipFamily::QK310).snapshot;
    Toggle(RegistersForm, "CheckBox04_0");
    Click(RegistersForm, "Reg04Button");
    Toggle(RegistersForm, "CheckBox02_7");
    Click(RegistersForm, "Reg02SendButton");
    ASSERT_NE(board.Register(0x04), *saved.Value(0x04));
    Click(SnapshotForm, "RestoreButton");
    const std::string result = Child<QLabel>(SnapshotForm, "ResultLabel")->text().toStdString();
    EXPECT_EQ(result.substr(0, result.find('\n')),
              "Restored 24 registers, verified; 6 write-only registers cannot be read back");
    for (const RegisterInfo& info : QK310Map().registers) {
        if (info.access != RegisterAccess::ReadWrite) continue;
        EXPECT_EQ(board.Register(info.subAddress), *saved.Value(info.subAddress));
    }
    EXPECT_EQ(qk::test::Shown(RegistersForm->Group(0x04)), *saved.Value(0x04));
    EXPECT_EQ(qk::test::Shown(RegistersForm->Group(0x02)), *saved.Value(0x02));
}

}  // namespace
}  // namespace qk::test
