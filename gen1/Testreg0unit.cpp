#include "gen1/Testreg0unit.h"

TTestReg0Form::TTestReg0Form(QWidget* parent) : QWidget(parent) {
    ui.setupUi(this);
    setFixedSize(size());
}

void TTestReg0Form::Reload() {}
void TTestReg0Form::ApplyButtonClick() {}
