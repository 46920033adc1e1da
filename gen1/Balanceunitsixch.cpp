#include "gen1/Balanceunitsixch.h"

TSixChBalanceForm::TSixChBalanceForm(QWidget* parent) : QWidget(parent) {
    ui.setupUi(this);
    setFixedSize(size());
}

void TSixChBalanceForm::ApplyAllChannelVolumes() {}
void TSixChBalanceForm::DefaultBitBtnClick() {}
void TSixChBalanceForm::EnableChannel(int, bool) {}
