#include "qk330/QK330PSCTestReg2unit.h"

TQK330PSCTestReg2Form::TQK330PSCTestReg2Form(QWidget* parent) : QWidget(parent) {
    setWindowTitle("QK330PSCTestReg2Form");
}

void TQK330PSCTestReg2Form::RefreshFromEditor() {}
