#include "qk330/QK330PADCDcoffsetunit.h"

TQK330PADC_DCOffsetForm::TQK330PADC_DCOffsetForm(QWidget* parent) : QWidget(parent) {
    setWindowTitle("PADC Offset");
}

void TQK330PADC_DCOffsetForm::SetFromValue(uint16_t) {}
