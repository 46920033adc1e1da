#include "qk330/QK330ModIndexunit.h"

TQK330ModIndexForm::TQK330ModIndexForm(QWidget* parent) : QWidget(parent) {
    setWindowTitle("Modulation Index");
}

void TQK330ModIndexForm::RefreshFromEditor() {}
