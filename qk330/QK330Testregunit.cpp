#include "qk330/QK330Testregunit.h"

TQK330TestRegForm::TQK330TestRegForm(QWidget* parent) : QWidget(parent) {
    setWindowTitle("QK330 Test Registers");
}

void TQK330TestRegForm::ShowTestBits(uint8_t, uint8_t) {}

void TQK330TestRegForm::ShowQK340Groups(bool) {}
