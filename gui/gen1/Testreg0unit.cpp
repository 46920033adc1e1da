#include "gui/gen1/Testreg0unit.h"

#include "core/chips/QK310RegisterImage.h"

TTestReg0Form::TTestReg0Form(qk::ChipSession& session, QWidget* parent)
    : RadioRegisterForm(session, parent) {
    ui.setupUi(this);
    // The test register's boxes are looked up when used. A reload only shows the register; APPLY
    // writes it.
    const Register testGroup = qk::FirstGenerationRegister(
        session, qk::QK310RegisterImage::Test0Register, [this] { return testGroup_(); }, false);
    Bind(testGroup,
         qk::BitFields({ui.D0RadioGroup, ui.D1RadioGroup, ui.D2RadioGroup, ui.D3RadioGroup,
                        ui.D4RadioGroup, ui.D5RadioGroup, ui.D6RadioGroup, ui.D7RadioGroup}));
    setFixedSize(size());
}
