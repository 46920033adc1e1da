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

    // "Read Only": reads 1Dh.
    void Reg1DButtonClick();
    // "Setup": opens the Test Register 0 window.
    void Reg1EButtonClick();
    // "Apply" of 1Eh: writes the boxes, then the Test Register 0 window follows them.
    void Reg1ESendButtonClick();
    // "Apply" of 1Fh.
    void Reg1FButtonClick();
    // Reads 1Dh, 1Eh (the Test Register 0 window follows) and 1Fh.
    void ReadAllButtonClick();
    // Discards unapplied box edits (boxes from CurrentImage) and hides.
    void CancelButtonClick();

  private:
    // ReadRegister into CurrentImage, shown in the register's boxes.
    void ReadGroup(uint8_t reg);
    // The register's boxes packed into CurrentImage and written; returns the stored byte.
    uint8_t SendGroup(uint8_t reg);

    std::array<qk::BitBoxes, 3> groups_{};
};
