#include "qk330/QK330Syscontrol2unit.h"

TQK330SysControl2Form::TQK330SysControl2Form(QWidget* parent) : QWidget(parent) {
    setWindowTitle("System Control 2");
}

void TQK330SysControl2Form::RefreshFromEditor() {}

void TQK330SysControl2Form::ApplyD2Item(int) {}
