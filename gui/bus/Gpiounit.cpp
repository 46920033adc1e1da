#include "gui/bus/Gpiounit.h"

#include "gui/bus/BusMonitorunit.h"
#include "gui/registry/Forms.h"

TGPIOForm::TGPIOForm(qk::ChipSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    ui.setupUi(this);
    setFixedSize(size());
    bits_ = {ui.Bit0CheckBox, ui.Bit1CheckBox, ui.Bit2CheckBox, ui.Bit3CheckBox,
             ui.Bit4CheckBox, ui.Bit5CheckBox, ui.Bit6CheckBox, ui.Bit7CheckBox};
    connect(ui.SendButton, &QPushButton::clicked, this, &TGPIOForm::SendButtonClick);
    connect(ui.MonitorBitBtn, &QPushButton::clicked, this, [] { qk::OpenWindow(BusMonitorForm); });
}

void TGPIOForm::SendButtonClick() {
    session_.Port().PortWrite(qk::DataPort, qk::PackBits(bits_));
}
