#include "gen1/Syscontrol0unit.h"

#include "app/Forms.h"
#include "gen1/Registersunit.h"

TSysControl0Form::TSysControl0Form(QWidget* parent) : RadioRegisterForm(parent) {
    ui.setupUi(this);
    // Speed 11b has no item: a reload leaves the speed selection as it was.
    Bind({0x02, [] { return RegistersForm->Group(0x02); }, true},
         {
             {ui.SpeedRadioGroup, 6, 2, {0b10, 0b01, 0b00}},
             {ui.DeemphasisControlsRadioGroup, 5, 1, qk::DescendingCodes(2)},
             {ui.DeemphasisRadioGroup, 3, 2, qk::DescendingCodes(4)},
             {ui.FormatRadioGroup, 0, 3, qk::DescendingCodes(8)},
         });
    setFixedSize(size());
}
