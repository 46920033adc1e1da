// The main window's START: calibrate the bus clock, probe the chosen address, read the chip's ID
// and offer the chip's radio button, or all first-generation chips when that fails.
#include <QAbstractButton>

#include "core/chips/ChipFacts.h"
#include "gui/app/Forms.h"
#include "gui/app/NoDeviceunit.h"
#include "gui/app/Okapimain.h"
#include "gui/bus/I2cunit.h"
#include "gui/gen1/QK310unit.h"
#include "gui/gen1/QK320unit.h"
#include "gui/gen1/Registersunit.h"
#include "gui/widgets/ModalDialogs.h"

namespace {

constexpr double StartSclPeriodMicroseconds = 10.0;
constexpr uint8_t FirstAddress = 0x34, SecondAddress = 0x36;
constexpr int SecondAddressItem = 1;

// An auto-exclusive radio button refuses to be cleared while it is the checked one.
void Uncheck(QAbstractButton* button) {
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
}

}  // namespace

uint8_t TOkapiForm::SelectedDeviceAddress() const {
    // Typed text selects the item it names; anything else selects none, which means 0x1A.
    const QComboBox* list = ui.IICAddressComboBox;
    const int item = list->findText(list->currentText().trimmed(), Qt::MatchFixedString);
    return item == SecondAddressItem ? SecondAddress : FirstAddress;
}

void TOkapiForm::StartBitBtnClick() {
    chipNeedsInit_ = true;
    deviceAddress_ = SelectedDeviceAddress();
    qk::I2cMaster& bus = I2CForm->Master();
    bus.I2cResetErrors();
    ShowStatus("  ", "  ");
    ui.StartBitBtn->setText("WORKING");
    if (IsOffLine()) {
        OfferAllFirstGenerationChips();
        return;
    }
    I2CForm->CalibrateScl(StartSclPeriodMicroseconds);
    if (!BusLinesRise() || !bus.I2cProbe(deviceAddress_, 0, nullptr, 0)) {
        qk::ShowModal(*NoDeviceDlgForm);
        OfferAllFirstGenerationChips();
        return;
    }
    IdentifyChip();
}

// A bus with a line held low answers every probe: it is reported on the red line instead.
bool TOkapiForm::BusLinesRise() {
    switch (I2CForm->Master().LineHeldLow()) {
        case qk::I2cMaster::HeldLine::None:
            return true;
        case qk::I2cMaster::HeldLine::Sda:
            ShowErrorLine("SDA Low");
            return false;
        case qk::I2cMaster::HeldLine::Scl:
            ShowErrorLine("SCL Low");
            return false;
    }
    return false;
}

void TOkapiForm::ShowChipSelectPanel() {
    ui.StartPanel->hide();
    ui.ChipSelectPanel->show();
}

void TOkapiForm::IdentifyChip() {
    ShowChipSelectPanel();
    for (const ChipButton& chip : ChipButtons()) chip.button->hide();
    const uint8_t id = RegistersForm->Image().ReadRegister(qk::ChipIdRegister) & qk::ChipIdMask;
    auto captureChip = [this](TQK310Form* model) {
        chipNeedsInit_ = false;
        model->InitSubAddresses();
        model->CaptureDefaultImage();
    };
    switch (id) {
        case qk::QK310ChipId:
            captureChip(QK310Form);
            ui.QK310RadioButton->show();
            CheckChipButton(ui.QK310RadioButton, &TOkapiForm::QK310RadioButtonClick);
            break;
        case qk::QK320ChipId:
            captureChip(QK320Form);
            ui.QK320RadioButton->show();
            CheckChipButton(ui.QK320RadioButton, &TOkapiForm::QK320RadioButtonClick);
            break;
        case qk::QK350ChipId:
            ShowStatus("SELECT", "DEVICE");
            captureChip(QK310Form);
            ui.QK350RadioButton->show();
            Uncheck(ui.QK350RadioButton);  // the user picks it
            break;
        default:
            OfferAllFirstGenerationChips();
            break;
    }
}

// Off line, no device, or a chip that is not recognised: the user chooses among the first
// generation, and that choice loads the chip's power-on defaults (ChipNeedsInit stays set).
void TOkapiForm::OfferAllFirstGenerationChips() {
    for (QRadioButton* button : {ui.QK310RadioButton, ui.QK320RadioButton, ui.QK350RadioButton})
        button->show();
    ShowChipSelectPanel();
    ShowStatus("SELECT", "DEVICE");
}

// Checking a button from code selects its chip only when it was not checked already.
void TOkapiForm::CheckChipButton(QRadioButton* button, void (TOkapiForm::*handler)()) {
    if (button->isChecked()) return;
    button->setChecked(true);
    (this->*handler)();
}
