#pragma once
#include <QWidget>
#include <cstdint>

#include "gui/session/ChipSession.h"
#include "ui_QK330PADCDcoffsetunit.h"

// "PADC Offset": the offset of register 0Fh-10h. The register holds what the hex readout shows.
class TQK330PADC_DCOffsetForm : public QWidget {
    Q_OBJECT
  public:
    explicit TQK330PADC_DCOffsetForm(qk::ChipSession& session, QWidget* parent = nullptr);

    // Puts the slider where a register value stands; a moved slider writes the register. The
    // readouts then show the register as the image holds it.
    void SetFromValue(uint16_t value);
    // The readouts from the register image, whatever value it holds; sends nothing.
    void ShowHeldValue();

    // Readouts, image and wire from the slider's position.
    void PADC_DCTrackBarChange();
    // The slider to zero offset, then the change once more: the register is written at least
    // once.
    void PADC_DCZeroButtonClick();

  private:
    // The readouts of the slider's position; sends nothing.
    void ShowPosition();

    qk::ChipSession& session_;
    Ui::TQK330PADC_DCOffsetForm ui;
};
