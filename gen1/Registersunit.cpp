#include "gen1/Registersunit.h"

TRegistersForm::TRegistersForm(QWidget* parent) : QWidget(parent) {
    ui.setupUi(this);
    setFixedSize(size());
}

qk::BitBoxes TRegistersForm::Group(uint8_t) const { return {}; }

void TRegistersForm::Reg19ButtonClick() {}
