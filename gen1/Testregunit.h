#pragma once
#include <QWidget>
#include <array>
#include <cstdint>

#include "ui_Testregunit.h"
#include "widgets/BitBoxes.h"

// "Test Registers": registers 1Dh (Dither, read only), 1Eh (Test 0) and 1Fh (Test 1) bit by bit.
class TTestRegForm : public QWidget {
    Q_OBJECT
  public:
    explicit TTestRegForm(QWidget* parent = nullptr);

    Ui::TTestRegForm ui;

    // The check boxes of register 1Dh, 1Eh or 1Fh, bit 0 first.
    qk::BitBoxes Group(uint8_t reg) const;

  private:
    std::array<qk::BitBoxes, 3> groups_{};
};
