#include "gui/qk330/QK330PSCTestReg1unit.h"

#include "gui/qk330/QK330SetupRegister.h"
#include "gui/qk330/QK330Testregunit.h"

TQK330PSCTestReg1Form::TQK330PSCTestReg1Form(qk::ChipSession& session, QWidget* parent)
    : RadioRegisterForm(session, parent) {
    ui.setupUi(this);
    std::vector<qk::RadioField> fields =
        qk::BitFields({ui.D0RadioGroup, ui.D1RadioGroup, ui.D2RadioGroup, ui.D3RadioGroup,
                       ui.D4RadioGroup, ui.D5RadioGroup, ui.D6RadioGroup, ui.D7RadioGroup});
    // "192 KHz Chopping Frequency" is D0 = 1.
    fields[0] = qk::InvertedBit(ui.D0RadioGroup, 0);
    Bind(TQK330TestRegForm::Binding(Session(), TQK330TestRegForm::PSCTest1Register),
         std::move(fields));
    // The test register window is created before its setup windows.
    qk::FollowGroup(*QK330TestRegForm, *this, TQK330TestRegForm::PSCTest1Register);
}
