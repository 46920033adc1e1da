#include "gen1/Dcoffsetunit.h"

TDCOffsetForm::TDCOffsetForm(QWidget* parent) : QWidget(parent) {
    ui.setupUi(this);
    setFixedSize(size());
}

void TDCOffsetForm::SetChannelFromValue(int, uint8_t) {}
void TDCOffsetForm::EnableChannel(int, bool) {}
