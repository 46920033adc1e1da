#include "gui/gen1/Syscontrol0unit.h"

#include "core/chips/QK310RegisterImage.h"
#include "gui/gen1/Registersunit.h"
#include "gui/registry/Forms.h"

TSysControl0Form::TSysControl0Form(qk::ChipSession& session, QWidget* parent)
    : RadioRegisterForm(session, parent) {
    ui.setupUi(this);
    constexpr uint8_t reg = qk::QK310RegisterImage::SystemControl0Register;
    const Register editorGroup = qk::FirstGenerationRegister(
        session, reg, [] { return RegistersForm->Group(reg); }, true);
    // Speed 11b has no item: a reload leaves the speed selection as it was.
    std::vector<qk::RadioField> fields = {
        {.group = ui.SpeedRadioGroup, .shift = 6, .width = 2, .codes = {0b10, 0b01, 0b00}},
        {.group = ui.DeemphasisControlsRadioGroup,
         .shift = 5,
         .width = 1,
         .codes = qk::DescendingCodes(2)},
        {.group = ui.DeemphasisRadioGroup, .shift = 3, .width = 2, .codes = qk::DescendingCodes(4)},
        {.group = ui.FormatRadioGroup, .shift = 0, .width = 3, .codes = qk::DescendingCodes(8)},
    };
    Bind(editorGroup, std::move(fields));
    RegistersForm->ConnectSetupWindow(reg, *this);
    setFixedSize(size());
}
