#include "gui/qk330/QK330TestReg0unit.h"

#include "gui/qk330/QK330SetupRegister.h"
#include "gui/qk330/QK330Testregunit.h"

namespace {
// "PLL CLK TEST Select" sets D3 and D4 together; either of them set reads back as that item.
constexpr int kPllClockShift = 3, kPllClockWidth = 2, kPllClockTestItem = 1;
}  // namespace

TQK330TestReg0Form::TQK330TestReg0Form(qk::ChipSession& session, QWidget* parent)
    : RadioRegisterForm(session, parent) {
    ui.setupUi(this);
    std::vector<qk::RadioField> fields = qk::BitFields({ui.D0RadioGroup, ui.D1RadioGroup});
    fields.push_back({.group = ui.D3RadioGroup,
                      .shift = kPllClockShift,
                      .width = kPllClockWidth,
                      .codes = {0b00, 0b11},
                      .otherwise = kPllClockTestItem});
    Bind(TQK330TestRegForm::Binding(Session(), TQK330TestRegForm::Test0Register),
         std::move(fields));
    // The test register window is created before its setup windows.
    qk::FollowGroup(*QK330TestRegForm, *this, TQK330TestRegForm::Test0Register);
}
