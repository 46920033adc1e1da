#pragma once
#include <QWidget>

#include "ui_Testreg0unit.h"

// "Test Register 0"
class TTestReg0Form : public QWidget {
    Q_OBJECT
  public:
    explicit TTestReg0Form(QWidget* parent = nullptr);

    Ui::TTestReg0Form ui;

    // Sets the radio groups from the test register window's group 1E; writes nothing.
    void Reload();
    void ApplyButtonClick();
};
