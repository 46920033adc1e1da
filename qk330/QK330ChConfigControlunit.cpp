#include "qk330/QK330ChConfigControlunit.h"

TQK330ChConfigControlForm::TQK330ChConfigControlForm(QWidget* parent) : QWidget(parent) {
    setWindowTitle("QK330ChConfigControlForm");
}

void TQK330ChConfigControlForm::RefreshChannel(int) {}
