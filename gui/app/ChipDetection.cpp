// The main window's START: calibrate the bus clock, probe the chosen address, read the chip's ID
// and offer the chip's radio button, or every chip START offers when that fails.
#include <QAbstractButton>

#include "core/chips/ChipCatalogue.h"
#include "core/chips/ChipFacts.h"
#include "gui/app/NoDeviceunit.h"
#include "gui/app/Okapimain.h"
#include "gui/bus/I2cunit.h"
#include "gui/gen1/QK310unit.h"
#include "gui/registry/Forms.h"
#include "gui/widgets/ModalDialogs.h"

namespace {

constexpr double StartSclPeriodMicroseconds = 10.0;
constexpr uint8_t FirstAddress = qk::kChipWriteAddresses[0];
constexpr uint8_t SecondAddress = qk::kChipWriteAddresses[1];
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
    session_.SetDeviceAddress(SelectedDeviceAddress());
    qk::I2cMaster& bus = session_.Master();
    bus.I2cResetErrors();
    ShowStatus("  ", "  ");
    ui.StartBitBtn->setText("WORKING");
    if (session_.OffLine()) {
        OfferAllFirstGenerationChips();
        return;
    }
    I2CForm->CalibrateScl(StartSclPeriodMicroseconds);
    if (!BusLinesRise() || !bus.I2cProbe(session_.DeviceAddress(), 0, nullptr, 0)) {
        qk::ShowModal(*NoDeviceDlgForm);
        OfferAllFirstGenerationChips();
        return;
    }
    IdentifyChip();
}

// A bus with a line held low answers every probe: it is reported on the red line instead.
bool TOkapiForm::BusLinesRise() {
    switch (session_.Master().LineHeldLow()) {
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

// The chip START offers for the ID is checked, and selected; when other chips give the same ID,
// its button is only shown, for the user to pick. Either way the register image read from the
// chip becomes the default image.
void TOkapiForm::IdentifyChip() {
    ShowChipSelectPanel();
    for (const ChipButton& chip : ChipButtons()) chip.button->hide();
    const uint8_t id =
        session_.FirstGenerationImage().ReadRegister(qk::ChipIdRegister) & qk::ChipIdMask;
    const qk::ChipInfo* chip = qk::FirstChipOfId(id, qk::ChipOffer::Start);
    if (!chip) {
        OfferAllFirstGenerationChips();
        return;
    }
    const bool userPicks = qk::ChipsOfId(id).size() > 1;
    if (userPicks) ShowStatus("SELECT", "DEVICE");
    // Both first-generation models read the chip into the register editor's image alike.
    chipNeedsInit_ = false;
    QK310Form->InitSubAddresses();
    QK310Form->CaptureDefaultImage();
    const ChipButton button = ButtonOf(*chip);
    button.button->show();
    if (userPicks)
        Uncheck(button.button);
    else
        CheckChipButton(button);
}

// Off line, no device, or a chip that is not recognised: the user chooses among the chips START
// offers (the first generation), and that choice loads the chip's power-on defaults
// (ChipNeedsInit stays set).
void TOkapiForm::OfferAllFirstGenerationChips() {
    for (const ChipButton& chip : ChipButtons())
        if (chip.chip->offer == qk::ChipOffer::Start) chip.button->show();
    ShowChipSelectPanel();
    ShowStatus("SELECT", "DEVICE");
}

// Checking a button from code selects its chip only when it was not checked already.
void TOkapiForm::CheckChipButton(const ChipButton& chip) {
    if (chip.button->isChecked()) return;
    chip.button->setChecked(true);
    SelectChip(*chip.chip);
}
