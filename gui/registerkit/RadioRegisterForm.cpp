#include "gui/registerkit/RadioRegisterForm.h"

#include <QPushButton>
#include <algorithm>

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

RadioRegisterForm::Register FirstGenerationRegister(ChipSession& session, uint8_t subAddress,
                                                    std::function<BitBoxes()> boxes,
                                                    bool writesOnReload) {
    return {.subAddress = subAddress,
            .boxes = std::move(boxes),
            .writesOnReload = writesOnReload,
            .image = [&session]() -> ByteRegisters& { return session.FirstGenerationImage(); },
            .restoreDefault =
                [&session, subAddress] {
                    session.FirstGenerationImage().RestoreRegister(
                        QK310RegisterImage::EntryOf(subAddress));
                }};
}

RadioField OneBit(RadioGroup* group, int bit) {
    return {.group = group, .shift = bit, .width = 1, .codes = {0, 1}};
}

RadioField InvertedBit(RadioGroup* group, int bit) {
    return {.group = group, .shift = bit, .width = 1, .codes = {1, 0}};
}

std::vector<RadioField> BitFields(std::vector<RadioGroup*> groupsBit0First) {
    std::vector<RadioField> fields;
    for (size_t bit = 0; bit < groupsBit0First.size(); ++bit)
        fields.push_back(OneBit(groupsBit0First[bit], static_cast<int>(bit)));
    return fields;
}

uint8_t SelectedBits(std::span<const RadioField> fields) {
    uint8_t value = 0;
    for (const RadioField& field : fields) {
        const int index = field.group->itemIndex();
        if (index >= 0 && index < static_cast<int>(field.codes.size()))
            value |= static_cast<uint8_t>(field.codes[index] << field.shift);
    }
    return value;
}

void SelectFromBits(std::span<const RadioField> fields, uint8_t value) {
    for (const RadioField& field : fields) {
        const uint8_t code = (value >> field.shift) & ((1u << field.width) - 1);
        if (field.clampsOnReload) {
            field.group->setItemIndex(code);  // the group clamps to its last item
            continue;
        }
        const auto item = std::find(field.codes.begin(), field.codes.end(), code);
        if (item != field.codes.end())
            field.group->setItemIndex(static_cast<int>(item - field.codes.begin()));
        else if (field.otherwise >= 0)
            field.group->setItemIndex(field.otherwise);
    }
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

void RadioRegisterForm::SendBoxes() {
    register_.image().StoreAndWrite(register_.subAddress, PackBits(register_.boxes()));
}

void RadioRegisterForm::Reload() {
    SelectFromBits(fields_, PackBits(register_.boxes()));
    if (register_.writesOnReload) SendBoxes();
}

void RadioRegisterForm::ApplyButtonClick() {
    ShowBits(register_.boxes(), SelectedBits(fields_));
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
