#include "widgets/BoxRadioForm.h"

#include <QPushButton>

namespace qk {

void BoxRadioForm::Bind(Register reg, std::vector<RadioBitField> fields) {
    register_ = std::move(reg);
    fields_ = std::move(fields);
    const std::pair<const char*, void (BoxRadioForm::*)()> buttons[] = {
        {"OKButton", &BoxRadioForm::OKButtonClick},
        {"ApplyButton", &BoxRadioForm::ApplyButtonClick},
        {"CancelButton", &BoxRadioForm::CancelButtonClick},
    };
    for (const auto& [name, handler] : buttons)
        if (auto* button = findChild<QPushButton*>(name))
            connect(button, &QPushButton::clicked, this, handler);
}

void BoxRadioForm::SendBoxes() {
    register_.send(PackBits(register_.boxes()));
}

void BoxRadioForm::Reload() {
    SelectFromBits(fields_, PackBits(register_.boxes()));
    if (register_.writesOnReload) SendBoxes();
}

void BoxRadioForm::ApplyButtonClick() {
    ShowBits(register_.boxes(), SelectedBits(fields_));
    SendBoxes();
}

void BoxRadioForm::OKButtonClick() {
    ApplyButtonClick();
    hide();
}

void BoxRadioForm::CancelButtonClick() {
    hide();
}

}  // namespace qk
