#include "gen1/RadioRegisterForm.h"

#include <QPushButton>
#include <algorithm>

#include "app/Forms.h"
#include "gen1/Registersunit.h"

namespace qk {

std::vector<uint8_t> DescendingCodes(int items) {
    std::vector<uint8_t> codes;
    for (int code = items - 1; code >= 0; --code) codes.push_back(static_cast<uint8_t>(code));
    return codes;
}

std::vector<uint8_t> AscendingCodes(int items) {
    std::vector<uint8_t> codes;
    for (int code = 0; code < items; ++code) codes.push_back(static_cast<uint8_t>(code));
    return codes;
}

RadioRegisterForm::Register FirstGenerationRegister(uint8_t subAddress,
                                                    std::function<BitBoxes()> boxes,
                                                    bool writesOnReload) {
    return {.subAddress = subAddress,
            .boxes = std::move(boxes),
            .writesOnReload = writesOnReload,
            .image = []() -> ByteRegisters& { return RegistersForm->Image(); },
            .restoreDefault =
                [subAddress] {
                    RegistersForm->Image().RestoreRegister(QK310RegisterImage::EntryOf(subAddress));
                }};
}

std::vector<RadioField> BitFields(std::vector<RadioGroup*> groupsBit0First) {
    std::vector<RadioField> fields;
    for (size_t bit = 0; bit < groupsBit0First.size(); ++bit)
        fields.push_back({.group = groupsBit0First[bit],
                          .shift = static_cast<int>(bit),
                          .width = 1,
                          .codes = {0, 1}});
    return fields;
}

void RadioRegisterForm::Bind(Register reg, std::vector<RadioField> fields) {
    register_ = std::move(reg);
    fields_ = std::move(fields);
    const std::pair<const char*, void (RadioRegisterForm::*)()> buttons[] = {
        {"OKButton", &RadioRegisterForm::OKButtonClick},
        {"ApplyButton", &RadioRegisterForm::ApplyButtonClick},
        {"CancelButton", &RadioRegisterForm::CancelButtonClick},
        {"DefaultButton", &RadioRegisterForm::DefaultButtonClick},
    };
    for (const auto& [name, handler] : buttons)
        if (auto* button = findChild<QPushButton*>(name))
            connect(button, &QPushButton::clicked, this, handler);
}

uint8_t RadioRegisterForm::SelectedValue() const {
    uint8_t value = 0;
    for (const RadioField& field : fields_) {
        const int index = field.group->itemIndex();
        if (index >= 0 && index < static_cast<int>(field.codes.size()))
            value |= static_cast<uint8_t>(field.codes[index] << field.shift);
    }
    return value;
}

void RadioRegisterForm::SendBoxes() {
    register_.image().StoreAndWrite(register_.subAddress, PackBits(register_.boxes()));
}

void RadioRegisterForm::Reload() {
    const uint8_t boxes = PackBits(register_.boxes());
    for (const RadioField& field : fields_) {
        const uint8_t code = (boxes >> field.shift) & ((1u << field.width) - 1);
        if (field.clampsOnReload) {
            field.group->setItemIndex(code);  // the group clamps to its last item
            continue;
        }
        const auto item = std::find(field.codes.begin(), field.codes.end(), code);
        if (item != field.codes.end())
            field.group->setItemIndex(static_cast<int>(item - field.codes.begin()));
    }
    if (register_.writesOnReload) SendBoxes();
}

void RadioRegisterForm::ApplyButtonClick() {
    ShowBits(register_.boxes(), SelectedValue());
    SendBoxes();
}

void RadioRegisterForm::OKButtonClick() {
    ApplyButtonClick();
    hide();
}

void RadioRegisterForm::CancelButtonClick() {
    hide();
}

void RadioRegisterForm::DefaultButtonClick() {
    if (register_.restoreDefault) register_.restoreDefault();
}

}  // namespace qk
