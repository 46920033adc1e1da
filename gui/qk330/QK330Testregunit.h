#pragma once
#include <QWidget>
#include <cstdint>

#include "gui/registerkit/RadioRegisterForm.h"
#include "gui/registerkit/RegisterBoxGroups.h"
#include "gui/session/ChipSession.h"
#include "gui/widgets/BitBoxes.h"
#include "ui_QK330Testregunit.h"

// "QK330 Test Registers": the test registers 79h..7Fh. 79h, 7Ah, 7Eh and 7Fh bit by bit (their
// setup windows follow the boxes through the signals); 7Bh by choices, 7Ch and 7Dh by track bars.
class TQK330TestRegForm : public QWidget {
    Q_OBJECT
  public:
    static constexpr uint8_t PSCTest1Register = 0x79, PSCTest2Register = 0x7A,
                             AdcPscControlRegister = 0x7B, PredictorRegister = 0x7C,
                             DitherRegister = 0x7D, Test0Register = 0x7E, Test1Register = 0x7F;

    explicit TQK330TestRegForm(qk::ChipSession& session, QWidget* parent = nullptr);

    // A setup window's register: this window's boxes of 79h, 7Ah, 7Eh or 7Fh, sent through the
    // QK330 image; reloading writes the register.
    static qk::RadioRegisterForm::Register Binding(qk::ChipSession& session, uint8_t subAddress);

    // Shows 7Bh, 7Ch or 7Dh from a value; nothing is sent (the track bars move quietly).
    void ShowChoiceRegister(uint8_t subAddress, uint8_t value);
    // The eight boxes of 79h, 7Ah, 7Eh or 7Fh, bit 0 first.
    qk::BitBoxes TestBoxes(uint8_t subAddress) const;
    // Shows the four PSC/ADC groups and widens the window to its QK340 outer width; hides them at
    // the QK330's narrower outer width.
    void ShowQK340Groups(bool shown);

    // "Apply" of 79h, 7Ah, 7Eh or 7Fh: writes the boxes, then its setup window follows them.
    void BitRegisterSendButtonClick(uint8_t subAddress);
    // "Setup" of 79h, 7Ah, 7Eh or 7Fh: opens its setup window.
    void BitRegisterSetupButtonClick(uint8_t subAddress);
    // "Apply" of 7Bh: over-voltage recovery in D3, clock delay in D7-D4.
    void Reg7BSendButtonClick();
    // "Apply" of 7Dh: the dither position with the noise-shaped dither choice in D6-D5.
    void Reg7DSendButtonClick();
    void DitherTrackBarChange(int position);
    void DitherZeroBitBtnClick();
    void PSC_PredTrackBarChange(int position);
    void PSCPredictorDefaultButtonClick();
    // Reads 79h..7Fh in order into the controls; the setup windows follow theirs.
    void ReadAllButtonClick();
    // Hides only: nothing is reverted or sent.
    void CancelButtonClick();

  signals:
    // The boxes of 79h, 7Ah, 7Eh or 7Fh showed an apply, a read or a restore: its setup window
    // reloads from them and writes the register again.
    void groupFollowed(uint8_t reg);
    // The "Setup" button of 79h, 7Ah, 7Eh or 7Fh was clicked: its setup window opens.
    void setupRequested(uint8_t reg);

  private:
    qk::ChipSession& session_;
    void ReadBitRegister(uint8_t subAddress);
    void ReadAdcPscControl();
    void ReadPredictor();
    void ReadDither();
    void ShowAdcPscControl(uint8_t value);
    void ShowPredictor(uint8_t value);
    void ShowDither(uint8_t value);

    Ui::TQK330TestRegForm ui;
    qk::RegisterBoxGroups groups_;
};
