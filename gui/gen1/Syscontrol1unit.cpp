#include "gui/gen1/Syscontrol1unit.h"

#include "core/chips/QK310RegisterImage.h"
#include "gui/gen1/Registersunit.h"
#include "gui/registry/Forms.h"

TSysControl1Form::TSysControl1Form(qk::ChipSession& session, QWidget* parent)
    : RadioRegisterForm(session, parent) {
    ui.setupUi(this);
    // No group for bit 7: APPLY clears it, a reload sends it as its box stands.
    constexpr uint8_t reg = qk::QK310RegisterImage::SystemControl1Register;
    Bind(qk::FirstGenerationRegister(
             session, reg, [] { return RegistersForm->Group(reg); }, true),
         qk::BitFields({ui.D0RadioGroup, ui.D1RadioGroup, ui.D2RadioGroup, ui.D3RadioGroup,
                        ui.D4RadioGroup, ui.D5RadioGroup, ui.D6RadioGroup}));
    RegistersForm->ConnectSetupWindow(reg, *this);
    setFixedSize(size());
}

void TSysControl1Form::ApplyD2Item(int item) {
    ui.D2RadioGroup->setItemIndex(item);
    ApplyButtonClick();
}
