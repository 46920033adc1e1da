#include "gui/qk330/QK330PADCDcoffsetunit.h"

#include <QStyle>

#include "core/chips/QK330Offsets.h"
#include "gui/registry/Forms.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/ValueReadout.h"

namespace {

constexpr uint8_t kPadcOffsetRegister = 0x0F;  // high byte; the low byte at 10h

}  // namespace

TQK330PADC_DCOffsetForm::TQK330PADC_DCOffsetForm(qk::ChipSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    ui.setupUi(this);
    setFixedSize(size());
    for (QLabel* readout : {ui.PADC_DCReadout, ui.PADC_DCHexReadout}) {
        qk::SetTextColor(readout, qk::clLime);
        qk::SetBackgroundColor(readout, qk::clBlack);
    }
    ui.PADC_DCZeroButton->setIcon(style()->standardIcon(QStyle::SP_DialogResetButton));
    ShowPosition();  // the readouts as every move shows them
    connect(ui.PADC_DCTrackBar, &QSlider::valueChanged, this,
            &TQK330PADC_DCOffsetForm::PADC_DCTrackBarChange);
    connect(ui.PADC_DCZeroButton, &QAbstractButton::clicked, this,
            &TQK330PADC_DCOffsetForm::PADC_DCZeroButtonClick);
    connect(ui.CloseBitBtn, &QPushButton::clicked, this, &QWidget::hide);
    connect(&session_, &qk::ChipSession::offsetWordRestored, this, [this](uint8_t reg) {
        if (reg == kPadcOffsetRegister) SetFromValue(session_.QK330Image().DefaultWord(reg));
    });
}

void TQK330PADC_DCOffsetForm::SetFromValue(uint16_t value) {
    ui.PADC_DCTrackBar->setValue(qk::PadcOffsetPosition(value));
    ShowHeldValue();
}

// A value beyond 13 bits reads as no code, not as the slider's position.
void TQK330PADC_DCOffsetForm::ShowHeldValue() {
    const uint16_t held = session_.QK330Image().CurrentWord(kPadcOffsetRegister);
    qk::ShowValueText(ui.PADC_DCReadout, qk::PadcOffsetValueText(held));
    ui.PADC_DCHexReadout->setText(QString::fromStdString(qk::HexWordText(held)));
}

void TQK330PADC_DCOffsetForm::ShowPosition() {
    const int position = ui.PADC_DCTrackBar->value();
    qk::ShowValueText(ui.PADC_DCReadout, qk::PadcOffsetPercentText(position));
    ui.PADC_DCHexReadout->setText(
        QString::fromStdString(qk::HexWordText(qk::PadcOffsetRegisterValue(position))));
}

void TQK330PADC_DCOffsetForm::PADC_DCTrackBarChange() {
    ShowPosition();
    session_.QK330Image().StoreAndWriteWord(
        kPadcOffsetRegister, qk::PadcOffsetRegisterValue(ui.PADC_DCTrackBar->value()));
}

void TQK330PADC_DCOffsetForm::PADC_DCZeroButtonClick() {
    ui.PADC_DCTrackBar->setValue(qk::PadcOffsetZeroPosition);
    PADC_DCTrackBarChange();
}
