#pragma once
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QFileDialog>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "board/VirtualBoard.h"
#include "gui/app/Okapimain.h"
#include "gui/app/Program.h"
#include "gui/bus/I2cunit.h"
#include "gui/qk330/QK330Balanceunitsixch.h"
#include "gui/qk330/QK330ChConfigControlRegunit.h"
#include "gui/qk330/QK330ChConfigControlunit.h"
#include "gui/qk330/QK330Dcoffsetunit.h"
#include "gui/qk330/QK330ErrAndAutomuteDelayunit.h"
#include "gui/qk330/QK330Interchdelayunit.h"
#include "gui/qk330/QK330ModIndexunit.h"
#include "gui/qk330/QK330PADCDcoffsetunit.h"
#include "gui/qk330/QK330PSCTestReg1unit.h"
#include "gui/qk330/QK330PSCTestReg2unit.h"
#include "gui/qk330/QK330Regunit.h"
#include "gui/qk330/QK330SEOffsetRegunit.h"
#include "gui/qk330/QK330SerialDataInterfaceunit.h"
#include "gui/qk330/QK330Syscontrol1unit.h"
#include "gui/qk330/QK330Syscontrol2unit.h"
#include "gui/qk330/QK330Syscontrol3unit.h"
#include "gui/qk330/QK330TestReg0unit.h"
#include "gui/qk330/QK330TestReg1unit.h"
#include "gui/qk330/QK330Testregunit.h"
#include "gui/qk330/QK330unit.h"
#include "gui/registry/Forms.h"
#include "gui/widgets/ModalDialogs.h"
#include "gui/widgets/RadioGroup.h"
#include "tests/support/SimulatedMachine.h"

namespace qk::test {

// The session of the program under test (one program runs at a time), for fixtures' helpers.
inline ChipSession* g_session = nullptr;
inline ChipSession& TheSession() {
    return *g_session;
}

// The whole program on a virtual board. Modal dialogs are recorded by object name and closed at
// once, as if the user pressed OK.
class ProgramTest : public ::testing::Test {
  protected:
    explicit ProgramTest(board::Chip chip = board::Chip::QK310, uint8_t address = 0x34)
        : board(chip, address) {}

    void SetUp() override {
        previousPresenter_ = SetModalPresenter(
            [this](QDialog& dialog) { dialogs.push_back(dialog.objectName().toStdString()); });
        program = std::make_unique<Program>(ProgramPort(), Adapter());
        g_session = &program->Session();
        // The bus master and its SCL calibration (START, RECALIBRATE) run on a simulated PC, so
        // no real time passes; there one clock period of 1250 iterations takes 10 us:
        // HalfPeriodCount 1250, QuarterPeriodCount 625, "#1250 SCL100".
        I2CForm->SetTiming(SimulatedMachine(4).Timing());
    }
    void TearDown() override {
        program.reset();
        g_session = nullptr;
        SetModalPresenter(previousPresenter_);
    }

    I2cBus& Bus() { return TheSession().ParallelBus(); }
    // File dialogs choose what `path` holds when they open, as if the user picked it; other
    // dialogs are recorded and closed. `path` is a member of the test, which outlives the dialogs.
    void AnswerFileDialogsWith(const QString& path) {
        SetModalPresenter([this, &path](QDialog& dialog) {
            if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
                files->selectFile(path);
                static_cast<QDialog*>(files)->done(QDialog::Accepted);
                return;
            }
            dialogs.push_back(dialog.objectName().toStdString());
        });
    }
    // The first generation's MUTE ALL engaged by its button, with the channel boxes cleared for
    // the click so that the mute register's boxes stay as they are; the frame it sends is dropped.
    void EngageQK310MuteAll() {
        constexpr int Channels = 6;
        std::vector<QSignalBlocker> quiet;
        std::vector<bool> checked;
        for (int channel = 1; channel <= Channels; ++channel) {
            QCheckBox* box = OkapiForm->VolumeCheckBox(channel);
            quiet.emplace_back(box);
            checked.push_back(box->isChecked());
            box->setChecked(false);
        }
        Child<QAbstractButton>(OkapiForm, "QK310MuteAllBitBtn")->click();
        for (int channel = 1; channel <= Channels; ++channel)
            OkapiForm->VolumeCheckBox(channel)->setChecked(checked[channel - 1]);
        ASSERT_TRUE(TheSession().MuteAllEngaged(ChipGeneration::First));
        board.ClearFrames();
    }
    // The port the program runs on: the board itself, unless a test puts a driver in between.
    virtual PortIo& ProgramPort() { return board; }
    // The adapter the program uses instead of the port; none by default.
    virtual AdapterChoice Adapter() { return {}; }

    template <typename T = QWidget>
    static T* Child(QWidget* window, const char* name) {
        T* child = window->findChild<T*>(name);
        EXPECT_NE(child, nullptr) << "no control " << name << " in "
                                  << window->objectName().toStdString();
        return child;
    }
    static void Click(QWidget* window, const char* button) {
        QTest::mouseClick(Child<QAbstractButton>(window, button), Qt::LeftButton);
    }
    // The user clicks item `index` of a radio group.
    static void Choose(QWidget* window, const std::string& group, int index) {
        const std::string name = group + "_" + std::to_string(index);
        QTest::mouseClick(Child<QRadioButton>(window, name.c_str()), Qt::LeftButton, {},
                          QPoint(8, 8));
    }
    static int Selected(QWidget* window, const char* group) {
        return Child<RadioGroup>(window, group)->itemIndex();
    }
    // The user toggles a check box by its square.
    static void Toggle(QWidget* window, const char* box) {
        QCheckBox* checkBox = Child<QCheckBox>(window, box);
        QTest::mouseClick(checkBox, Qt::LeftButton, {}, QPoint(8, checkBox->height() / 2));
    }

    board::VirtualBoard board;
    std::unique_ptr<Program> program;
    std::vector<std::string> dialogs;

  private:
    ModalPresenter previousPresenter_;
};

}  // namespace qk::test
