#include "gen1/Syscontrol1unit.h"

TSysControl1Form::TSysControl1Form(QWidget* parent) : QWidget(parent) {
    ui.setupUi(this);
    setFixedSize(size());
}

void TSysControl1Form::Reload() {}
void TSysControl1Form::ApplyButtonClick() {}
