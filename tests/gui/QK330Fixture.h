#pragma once
#include <QLineEdit>
#include <QTest>
#include <string>
#include <vector>

#include "gui/qk330/QK330Regunit.h"
#include "tests/gui/MainWindowFixture.h"
#include "tests/gui/RegisterBoxesSupport.h"

namespace qk::test {

using Texts = std::vector<std::string>;

// A virtual QK330 after START: the hidden-controls login offers the second generation's chips and
// the user selects one; the activation's frames are dropped.
class QK330Test : public MainWindowTest {
  protected:
    QK330Test() : MainWindowTest(board::Chip::QK330) {}

    void SetUp() override {
        MainWindowTest::SetUp();
        ClickStart();
        LogIn("pelmak");
        Click(OkapiForm, chipButton_);
        board.ClearFrames();
    }

    static QCheckBox* Box(uint8_t reg, int bit) { return QK330RegForm->Group(reg)[bit]; }
    static uint8_t Shows(uint8_t reg) { return qk::test::Shown(QK330RegForm->Group(reg)); }
    static uint8_t Stored(uint8_t reg) { return TheSession().QK330Image().Current(reg); }

    const char* chipButton_ = "QK330RadioButton";
};

}  // namespace qk::test
