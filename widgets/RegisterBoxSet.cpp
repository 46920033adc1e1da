#include "widgets/RegisterBoxSet.h"

#include <QGroupBox>
#include <cstdlib>

namespace qk {

namespace {

// A layout names its register in hex: "7E" is 7Eh.
uint8_t SubAddressOf(const RegisterGroupLayout& layout) {
    return static_cast<uint8_t>(std::strtoul(layout.reg, nullptr, 16));
}

}  // namespace

void RegisterBoxSet::Build(QWidget* window, std::span<const RegisterGroupLayout> layouts) {
    for (const RegisterGroupLayout& layout : layouts)
        Add(window->findChild<QGroupBox*>(QStringLiteral("Reg%1GroupBox").arg(layout.reg)), layout);
}

void RegisterBoxSet::Add(QGroupBox* box, const RegisterGroupLayout& layout) {
    groups_.push_back({SubAddressOf(layout), BuildRegisterGroup(box, layout)});
}

BitBoxes RegisterBoxSet::Boxes(uint8_t reg) const {
    for (const Group& group : groups_)
        if (group.reg == reg) return group.boxes;
    return {};
}

uint8_t RegisterBoxSet::Send(uint8_t reg) const {
    return access_.storeAndWrite(reg, PackBits(Boxes(reg)));
}

uint8_t RegisterBoxSet::Apply(uint8_t reg) const {
    const uint8_t sent = Send(reg);
    Show(reg, sent);
    return sent;
}

uint8_t RegisterBoxSet::Read(uint8_t reg) const {
    const uint8_t read = access_.readAndStore(reg);
    Show(reg, read);
    return read;
}

void RegisterBoxSet::Show(uint8_t reg, uint8_t value) const {
    ShowBits(Boxes(reg), value);
}

}  // namespace qk
