#include "gen1/Syscontrol0unit.h"

TSysControl0Form::TSysControl0Form(QWidget* parent) : QWidget(parent) {
    ui.setupUi(this);
    setFixedSize(size());
}

void TSysControl0Form::Reload() {}
void TSysControl0Form::ApplyButtonClick() {}
