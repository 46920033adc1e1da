#include "qk330/QK330Interchdelayunit.h"

TQK330InterchDelayForm::TQK330InterchDelayForm(QWidget* parent) : QWidget(parent) {
    setWindowTitle("Interchannel Delay");
}

void TQK330InterchDelayForm::SetChannelFromValue(int, uint8_t) {}

void TQK330InterchDelayForm::EnableChannel(int, bool) {}
