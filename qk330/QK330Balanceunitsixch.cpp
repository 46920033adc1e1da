#include "qk330/QK330Balanceunitsixch.h"

TQK330SixChBalanceForm::TQK330SixChBalanceForm(QWidget* parent) : QWidget(parent) {
    setWindowTitle("QK330 Volume Offset");
}

void TQK330SixChBalanceForm::ApplyAllChannelVolumes() {}

void TQK330SixChBalanceForm::ZeroAllBitBtnClick() {}

void TQK330SixChBalanceForm::EnableChannel(int, bool) {}
