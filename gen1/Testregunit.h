#pragma once
#include <QWidget>

#include "widgets/BitBoxes.h"
#include "ui_Testregunit.h"

// "Test Registers"
class TTestRegForm : public QWidget {
    Q_OBJECT
public:
    explicit TTestRegForm(QWidget* parent = nullptr);

    Ui::TTestRegForm ui;

    // The check boxes of register 1Dh, 1Eh or 1Fh, bit 0 first.
    qk::BitBoxes Group(uint8_t reg) const;
};
