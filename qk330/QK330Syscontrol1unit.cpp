#include "qk330/QK330Syscontrol1unit.h"

TQK330SysControl1Form::TQK330SysControl1Form(QWidget* parent) : QWidget(parent) {
    setWindowTitle("System Control 1");
}

void TQK330SysControl1Form::RefreshFromEditor() {}
