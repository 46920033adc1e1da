#include "gen1/Testregunit.h"

TTestRegForm::TTestRegForm(QWidget* parent) : QWidget(parent) {
    ui.setupUi(this);
    setFixedSize(size());
}

qk::BitBoxes TTestRegForm::Group(uint8_t) const { return {}; }
