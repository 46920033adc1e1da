#include "qk330/QK330PSCTestReg1unit.h"

TQK330PSCTestReg1Form::TQK330PSCTestReg1Form(QWidget* parent) : QWidget(parent) {
    setWindowTitle("PSC Test Register 1");
}

void TQK330PSCTestReg1Form::RefreshFromEditor() {}
