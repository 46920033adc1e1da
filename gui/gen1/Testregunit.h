#pragma once
#include <QWidget>
#include <cstdint>

#include "gui/registerkit/RegisterBoxGroups.h"
#include "gui/session/ChipSession.h"
#include "gui/widgets/BitBoxes.h"
#include "ui_Testregunit.h"

// "Test Registers": registers 1Dh (Dither, read only), 1Eh (Test 0) and 1Fh (Test 1) bit by bit.
class TTestRegForm : public QWidget {
    Q_OBJECT
  public:
    explicit TTestRegForm(qk::ChipSession& session, QWidget* parent = nullptr);

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
    // Shows a restored value of register 1Dh, 1Eh or 1Fh (the Test Register 0 window follows
    // 1Eh); other registers are not this window's.
    void RefreshRegister(uint8_t reg);

    qk::ChipSession& session_;
    Ui::TTestRegForm ui;
    qk::RegisterBoxGroups groups_;
};
