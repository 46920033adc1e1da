#include "gen1/Testregunit.h"

#include "widgets/RegisterGroup.h"

namespace {

const qk::RegisterGroupLayout kGroupLayouts[] = {
    {"1D",
     {"Not Used", "Not Used", "NS_Enable", "Value", "Value", "Value", "Value", "Value"},
     0x00,
     0x33},
    {"1E",
     {"MCLK_OUT", "ReClk Low", "ReClk High", "Buffer Low", "Buffer High", "Reset Filter",
      "Clear Filter", "Bypass"},
     0xFF,
     0x00},
    {"1F",
     {"Test Enable", "Not Used", "Not Used", "Not Used", "Not Used", "Not Used", "Not Used",
      "PLL Bypass"},
     0x81,
     0x00},
};

}  // namespace

TTestRegForm::TTestRegForm(QWidget* parent) : QWidget(parent) {
    ui.setupUi(this);
    setFixedSize(size());
    QGroupBox* const boxes[] = {ui.Reg1DGroupBox, ui.Reg1EGroupBox, ui.Reg1FGroupBox};
    for (size_t i = 0; i < groups_.size(); ++i)
        groups_[i] = qk::BuildRegisterGroup(boxes[i], kGroupLayouts[i]);
}

qk::BitBoxes TTestRegForm::Group(uint8_t reg) const {
    if (reg < 0x1D || reg > 0x1F) return {};
    return groups_[reg - 0x1D];
}
