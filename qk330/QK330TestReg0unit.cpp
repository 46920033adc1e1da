#include "qk330/QK330TestReg0unit.h"

TQK330TestReg0Form::TQK330TestReg0Form(QWidget* parent) : QWidget(parent) {
    setWindowTitle("Test Register 0");
}

void TQK330TestReg0Form::RefreshFromEditor() {}
