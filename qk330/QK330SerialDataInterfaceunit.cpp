#include "qk330/QK330SerialDataInterfaceunit.h"

TQK330SerialDataInterfaceCtlForm::TQK330SerialDataInterfaceCtlForm(QWidget* parent)
    : QWidget(parent) {
    setWindowTitle("Serial Data Interface Control");
}

void TQK330SerialDataInterfaceCtlForm::RefreshFromEditor() {}
