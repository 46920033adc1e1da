#pragma once
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <string>
#include <vector>

#include "tests/gui/ProgramFixture.h"

namespace qk::test {

// The program with its main window shown, on a board with the given chip and address.
class MainWindowTest : public ProgramTest {
  protected:
    explicit MainWindowTest(board::Chip chip = board::Chip::QK310, uint8_t address = 0x34)
        : ProgramTest(chip, address) {}

    void SetUp() override {
        ProgramTest::SetUp();
        program->Show();
    }

    static QString Text(const char* label) { return Child<QLabel>(OkapiForm, label)->text(); }
    // The two lime status lines.
    static std::vector<std::string> StatusLines() {
        return {Text("FirstErrorlabel").toStdString(), Text("SecondErrorlabel").toStdString()};
    }
    static bool Shown(QWidget* window, const char* control) {
        return Child(window, control)->isVisibleTo(window);
    }

    // Chip radio buttons in panel order, by the state asked for.
    static std::vector<std::string> ChipButtons(bool (*wanted)(QRadioButton*)) {
        std::vector<std::string> names;
        for (const char* name : {"QK310RadioButton", "QK320RadioButton", "QK330RadioButton",
                                 "QK340RadioButton", "QK350RadioButton"}) {
            auto* button = Child<QRadioButton>(OkapiForm, name);
            if (wanted(button)) names.push_back(name);
        }
        return names;
    }
    static std::vector<std::string> ShownChipButtons() {
        return ChipButtons([](QRadioButton* b) { return b->isVisibleTo(OkapiForm); });
    }
    static std::vector<std::string> CheckedChipButtons() {
        return ChipButtons([](QRadioButton* b) { return b->isChecked(); });
    }
    static std::vector<std::string> VisibleWindows() {
        std::vector<std::string> names;
        for (QWidget* window : SecondaryWindows())
            if (window->isVisible()) names.push_back(window->objectName().toStdString());
        return names;
    }

    // The lines of DataLog.txt in the working directory, or "<no file>".
    static std::vector<std::string> DataLogLines() {
        QFile file("DataLog.txt");
        if (!file.open(QIODevice::ReadOnly)) return {"<no file>"};
        std::vector<std::string> lines;
        for (const QByteArray& line : file.readAll().split('\n'))
            if (!line.isEmpty()) lines.push_back(line.toStdString());
        return lines;
    }

    void ClickStart() { Click(OkapiForm, "StartBitBtn"); }
    // The hidden-controls login with an access code (any other code logs out).
    static void LogIn(const char* code) {
        Click(OkapiForm, "HiddenButton");
        auto* edit = Child<QLineEdit>(OkapiForm, "LoginEdit");
        edit->clear();
        QTest::keyClicks(edit, code);
        Click(OkapiForm, "LoginButton");
    }
    void ClickOffLine() { Click(OkapiForm, "I2C_Bypass"); }
};

}  // namespace qk::test
