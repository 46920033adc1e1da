#include "gui/gen1/Testreg0unit.h"

#include "core/chips/QK310RegisterImage.h"
#include "gui/app/Forms.h"
#include "gui/gen1/Testregunit.h"

TTestReg0Form::TTestReg0Form(qk::ChipSession& session, QWidget* parent) : RadioRegisterForm(session, parent) {
    ui.setupUi(this);
    // The test register window is created after this one: its boxes are looked up when used.
    // A reload only shows the register; APPLY writes it.
    constexpr uint8_t reg = qk::QK310RegisterImage::Test0Register;
    const Register testGroup = qk::FirstGenerationRegister(session,
        reg, [] { return TestRegForm->Group(reg); }, false);
    Bind(testGroup,
         qk::BitFields({ui.D0RadioGroup, ui.D1RadioGroup, ui.D2RadioGroup, ui.D3RadioGroup,
                        ui.D4RadioGroup, ui.D5RadioGroup, ui.D6RadioGroup, ui.D7RadioGroup}));
    setFixedSize(size());
}
