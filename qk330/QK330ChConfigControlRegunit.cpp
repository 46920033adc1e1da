#include "qk330/QK330ChConfigControlRegunit.h"

TQK330ChConfigControlRegForm::TQK330ChConfigControlRegForm(QWidget* parent) : QWidget(parent) {
    setWindowTitle("Channel Configuration Control Registers");
}

void TQK330ChConfigControlRegForm::ShowChannelBits(int, uint8_t) {}

void TQK330ChConfigControlRegForm::EnableChannel(int, bool) {}
