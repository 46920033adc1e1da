#include "qk330/QK330Regunit.h"

TQK330RegForm::TQK330RegForm(QWidget* parent) : QWidget(parent) {
    setWindowTitle("QK330 Registers");
}

qk::BitBoxes TQK330RegForm::Group(uint8_t) const {
    return {};
}

void TQK330RegForm::Reg11ButtonClick() {}

void TQK330RegForm::RefreshEntry(int) {}

void TQK330RegForm::ShowPadcOffsetGroup(bool) {}
