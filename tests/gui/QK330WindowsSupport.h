#pragma once
#include <QCheckBox>
#include <QRadioButton>
#include <initializer_list>
#include <string>
#include <vector>

#include "gui/qk330/QK330Regunit.h"
#include "gui/widgets/RadioGroup.h"
#include "tests/gui/ProgramFixture.h"

namespace qk::test {

using Frames = std::vector<std::string>;

// The program on a virtual QK330 with the image's sub-addresses filled (as chip selection does)
// and the given windows open.
class QK330WindowsTest : public ProgramTest {
  protected:
    QK330WindowsTest() : ProgramTest(board::Chip::QK330) {}

    void Open(std::initializer_list<QWidget*> windows) {
        TheSession().QK330Image().InitSubAddresses();
        for (QWidget* window : windows) OpenWindow(window);
        board.ClearFrames();
    }
    // Byte whose bit n is set when box <prefix>n is checked.
    static int Boxes(QWidget* window, const std::string& prefix) {
        int value = 0;
        for (int bit = 0; bit < 8; ++bit)
            if (Child<QCheckBox>(window, (prefix + std::to_string(bit)).c_str())->isChecked())
                value |= 1 << bit;
        return value;
    }
};

}  // namespace qk::test
