#include "qk330/QK330Dcoffsetunit.h"

TQK330DCOffsetForm::TQK330DCOffsetForm(QWidget* parent) : QWidget(parent) {
    setWindowTitle("DC Offset");
}

void TQK330DCOffsetForm::SetChannelFromValue(int, uint16_t) {}

void TQK330DCOffsetForm::EnableChannel(int, bool) {}
