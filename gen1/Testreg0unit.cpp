#include "gen1/Testreg0unit.h"

#include "app/Forms.h"
#include "gen1/Testregunit.h"

TTestReg0Form::TTestReg0Form(QWidget* parent) : RadioRegisterForm(parent) {
    ui.setupUi(this);
    // The test register window is created after this one: its boxes are looked up when used.
    // A reload only shows the register; APPLY writes it.
    Bind({0x1E, [] { return TestRegForm->Group(0x1E); }, false},
         qk::BitFields({ui.D0RadioGroup, ui.D1RadioGroup, ui.D2RadioGroup, ui.D3RadioGroup,
                        ui.D4RadioGroup, ui.D5RadioGroup, ui.D6RadioGroup, ui.D7RadioGroup}));
    setFixedSize(size());
}
