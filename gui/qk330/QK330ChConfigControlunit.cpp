#include "gui/qk330/QK330ChConfigControlunit.h"

#include <QPushButton>

#include "gui/registry/Forms.h"

namespace {

// PSU mode in D7-D6, by item: BTL 00b, SE 10b, PSC disabled 01b; 11b has no item.
const std::vector<uint8_t> kPsuCodes = {0b00, 0b10, 0b01};
constexpr int kPsuShift = 6, kMStateBit = 5, kNoiseShaperBit = 4, kCondJumpBit = 3;

}  // namespace

TQK330ChConfigControlForm::TQK330ChConfigControlForm(TQK330ChConfigControlRegForm& registers,
                                                     QWidget* parent)
    : QWidget(parent), registers_(registers) {
    ui.setupUi(this);
    fields_ = {
        qk::OneBit(ui.CondJumpRadioGroup, kCondJumpBit),
        qk::OneBit(ui.NoiseShaperRadioGroup, kNoiseShaperBit),
        qk::OneBit(ui.MStateRadioGroup, kMStateBit),
        {.group = ui.PSURadioGroup, .shift = kPsuShift, .width = 2, .codes = kPsuCodes},
    };
    const std::pair<QPushButton*, void (TQK330ChConfigControlForm::*)()> handlers[] = {
        {ui.OKButton, &TQK330ChConfigControlForm::OKButtonClick},
        {ui.ApplyButton, &TQK330ChConfigControlForm::ApplyButtonClick},
        {ui.CancelButton, &TQK330ChConfigControlForm::CancelButtonClick},
    };
    for (const auto& [button, handler] : handlers)
        connect(button, &QPushButton::clicked, this, handler);
    registers_.SetChannelSetup(this);
}

TQK330ChConfigControlForm::~TQK330ChConfigControlForm() {
    registers_.SetChannelSetup(nullptr);
}

void TQK330ChConfigControlForm::SelectChannel(int channel) {
    ui.ChannelSelectRadioGroup->setItemIndex(channel - 1);
}

bool TQK330ChConfigControlForm::Edits(int channel) const {
    const int selected = ui.ChannelSelectRadioGroup->itemIndex();
    return selected == channel - 1 || selected == AllChannels;
}

void TQK330ChConfigControlForm::RefreshChannel(int channel) {
    qk::SelectFromBits(fields_, qk::PackBits(registers_.ChannelBoxes(channel)));
    registers_.SendChannel(channel);
}

void TQK330ChConfigControlForm::OpenOnChannel(int channel) {
    qk::OpenWindow(this);
    SelectChannel(channel);
}

void TQK330ChConfigControlForm::ApplyButtonClick() {
    const uint8_t value = qk::SelectedBits(fields_);
    for (int channel = 1; channel <= TQK330ChConfigControlRegForm::Channels; ++channel) {
        if (!Edits(channel)) continue;
        registers_.ShowChannelBits(channel, value);
        registers_.SendChannel(channel);
    }
}

void TQK330ChConfigControlForm::OKButtonClick() {
    ApplyButtonClick();
    hide();
}

void TQK330ChConfigControlForm::CancelButtonClick() {
    hide();
}
