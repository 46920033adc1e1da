#include "gui/qk330/QK330TestReg1unit.h"

#include "gui/qk330/QK330SetupRegister.h"
#include "gui/qk330/QK330Testregunit.h"

TQK330TestReg1Form::TQK330TestReg1Form(qk::ChipSession& session, QWidget* parent)
    : RadioRegisterForm(session, parent) {
    ui.setupUi(this);
    Bind(TQK330TestRegForm::Binding(Session(), TQK330TestRegForm::Test1Register),
         qk::BitFields({ui.D0RadioGroup, ui.D1RadioGroup, ui.D2RadioGroup, ui.D3RadioGroup,
                        ui.D4RadioGroup, ui.D5RadioGroup, ui.D6RadioGroup, ui.D7RadioGroup}));
    // The test register window is created before its setup windows.
    qk::FollowGroup(*QK330TestRegForm, *this, TQK330TestRegForm::Test1Register);
}
