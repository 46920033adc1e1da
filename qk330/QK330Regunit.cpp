#include "qk330/QK330Regunit.h"

#include "app/Forms.h"
#include "chips/ChipFacts.h"
#include "qk330/QK330Dcoffsetunit.h"
#include "qk330/QK330PADCDcoffsetunit.h"

namespace {
constexpr uint8_t PadcOffsetRegister = 0x0F;
constexpr uint8_t FirstDcOffsetRegister = 0x14;  // channel n at 14h + 2(n - 1), high byte first
}  // namespace

TQK330RegForm::TQK330RegForm(QWidget* parent) : QWidget(parent) {
    setWindowTitle("QK330 Registers");
}

qk::BitBoxes TQK330RegForm::Group(uint8_t) const {
    return {};
}

void TQK330RegForm::Reg11ButtonClick() {}

void TQK330RegForm::RefreshEntry(int) {}

void TQK330RegForm::ShowPadcOffsetGroup(bool) {}

void TQK330RegForm::RestoreWordWindows() {
    QK330PADC_DCOffsetForm->SetFromValue(image_.DefaultWord(PadcOffsetRegister));
    for (int channel = 1; channel <= qk::ChannelCount; ++channel)
        QK330DCOffsetForm->SetChannelFromValue(
            channel, image_.DefaultWord(FirstDcOffsetRegister + 2 * (channel - 1)));
}
