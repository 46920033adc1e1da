#include "gui/qk330/QK330PSCTestReg2unit.h"

#include "gui/qk330/QK330SetupRegister.h"
#include "gui/qk330/QK330Testregunit.h"

namespace {
constexpr int kBiasCurrentShift = 4, kBiasCurrentWidth = 3, kBiasCurrents = 8, kOvpBit = 7;
}

TQK330PSCTestReg2Form::TQK330PSCTestReg2Form(qk::ChipSession& session, QWidget* parent)
    : RadioRegisterForm(session, parent) {
    ui.setupUi(this);
    // D2 has no group and is sent as 0.
    Bind(TQK330TestRegForm::Binding(Session(), TQK330TestRegForm::PSCTest2Register),
         {qk::OneBit(ui.D0RadioGroup, 0),
          qk::OneBit(ui.D1RadioGroup, 1),
          qk::OneBit(ui.D3RadioGroup, 3),
          {.group = ui.D4_D6RadioGroup,
           .shift = kBiasCurrentShift,
           .width = kBiasCurrentWidth,
           .codes = qk::AscendingCodes(kBiasCurrents)},
          // "Over Voltage Protection Enable" is D7 = 1.
          qk::InvertedBit(ui.D7RadioGroup, kOvpBit)});
    // The test register window is created before its setup windows.
    qk::FollowGroup(*QK330TestRegForm, *this, TQK330TestRegForm::PSCTest2Register);
}
