#include "qk330/QK330PADCDcoffsetunit.h"

#include <QStyle>

#include "app/Forms.h"
#include "chips/QK330Offsets.h"
#include "qk330/QK330Regunit.h"
#include "widgets/Colors.h"

namespace {

constexpr uint8_t kPadcOffsetRegister = 0x0F;  // high byte; the low byte at 10h

}  // namespace

TQK330PADC_DCOffsetForm::TQK330PADC_DCOffsetForm(QWidget* parent) : QWidget(parent) {
    ui.setupUi(this);
    setFixedSize(size());
    for (QLabel* readout : {ui.PADC_DCReadout, ui.PADC_DCHexReadout}) {
        qk::SetTextColor(readout, qk::clLime);
        qk::SetBackgroundColor(readout, qk::clBlack);
    }
    ui.PADC_DCZeroButton->setIcon(style()->standardIcon(QStyle::SP_DialogResetButton));
    connect(ui.PADC_DCTrackBar, &QSlider::valueChanged, this,
            &TQK330PADC_DCOffsetForm::PADC_DCTrackBarChange);
    connect(ui.PADC_DCZeroButton, &QAbstractButton::clicked, this,
            &TQK330PADC_DCOffsetForm::PADC_DCZeroButtonClick);
    connect(ui.CloseBitBtn, &QPushButton::clicked, this, &QWidget::hide);
}

void TQK330PADC_DCOffsetForm::SetFromValue(uint16_t value) {
    ui.PADC_DCTrackBar->setValue(qk::PadcOffsetPosition(value));
}

void TQK330PADC_DCOffsetForm::PADC_DCTrackBarChange() {
    const int position = ui.PADC_DCTrackBar->value();
    const uint16_t value = qk::PadcOffsetRegisterValue(position);
    ui.PADC_DCReadout->setText(QString::fromStdString(qk::PadcOffsetPercentText(position)));
    ui.PADC_DCHexReadout->setText(QString::fromStdString(qk::HexWordText(value)));
    QK330RegForm->Image().StoreAndWriteWord(kPadcOffsetRegister, value);
}

void TQK330PADC_DCOffsetForm::PADC_DCZeroButtonClick() {
    ui.PADC_DCTrackBar->setValue(qk::PadcOffsetZeroPosition);
    PADC_DCTrackBarChange();
}
