#pragma once
#include <functional>

#include "gui/registerkit/RadioRegisterForm.h"
#include "gui/widgets/BitBoxes.h"
#include "ui_Testreg0unit.h"

// "Test Register 0": register 1Eh bit by bit through the test register window's group 1E.
class TTestReg0Form : public qk::RadioRegisterForm {
    Q_OBJECT
  public:
    explicit TTestReg0Form(qk::ChipSession& session, QWidget* parent = nullptr);

    // The boxes of register 1Eh this window edits: the test register window, made after this
    // one, lends its group when it is made.
    void EditGroup(std::function<qk::BitBoxes()> testGroup) { testGroup_ = std::move(testGroup); }

  private:
    Ui::TTestReg0Form ui;
    std::function<qk::BitBoxes()> testGroup_;
};
