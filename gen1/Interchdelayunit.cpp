#include "gen1/Interchdelayunit.h"

TInterchDelayForm::TInterchDelayForm(QWidget* parent) : QWidget(parent) {
    ui.setupUi(this);
    setFixedSize(size());
}

void TInterchDelayForm::SetChannelFromValue(int, uint8_t) {}
void TInterchDelayForm::EnableChannel(int, bool) {}
