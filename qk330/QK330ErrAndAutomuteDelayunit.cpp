#include "qk330/QK330ErrAndAutomuteDelayunit.h"

TQK330ErrAndAutomuteDelayForm::TQK330ErrAndAutomuteDelayForm(QWidget* parent) : QWidget(parent) {
    setWindowTitle("Error Recovery and Automute Delay");
}

void TQK330ErrAndAutomuteDelayForm::RefreshFromEditor() {}
