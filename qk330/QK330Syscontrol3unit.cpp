#include "qk330/QK330Syscontrol3unit.h"

TQK330SysControl3Form::TQK330SysControl3Form(QWidget* parent) : QWidget(parent) {
    setWindowTitle("System Control 3");
}

void TQK330SysControl3Form::RefreshFromEditor() {}
