#include "qk330/QK330TestReg1unit.h"

TQK330TestReg1Form::TQK330TestReg1Form(QWidget* parent) : QWidget(parent) {
    setWindowTitle("Test Register 1");
}

void TQK330TestReg1Form::RefreshFromEditor() {}
