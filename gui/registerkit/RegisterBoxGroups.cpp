#include "gui/registerkit/RegisterBoxGroups.h"

#include <QGroupBox>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace qk {

namespace {

// A layout names its register in hex: "1D" is 1Dh.
uint8_t SubAddressOf(const RegisterGroupLayout& layout) {
    return static_cast<uint8_t>(std::strtoul(layout.reg, nullptr, 16));
}

}  // namespace

RegisterBoxGroups::RegisterBoxGroups(const RegisterMap& map, std::function<ByteRegisters&()> image,
                                     std::function<void(uint8_t reg)> follow)
    : map_(map), image_(std::move(image)), follow_(std::move(follow)) {}

void RegisterBoxGroups::Build(QWidget* window, std::span<const RegisterGroupLayout> layouts) {
    for (const RegisterGroupLayout& layout : layouts) {
        const QString name = layout.groupBox ? QString::fromLatin1(layout.groupBox)
                                             : QStringLiteral("Reg%1GroupBox").arg(layout.reg);
        auto* box = window->findChild<QGroupBox*>(name);
        const uint8_t reg = SubAddressOf(layout);
        const RegisterInfo* info = map_.Find(reg);
        if (!info)
            throw std::out_of_range("no register " + std::string(layout.reg) + "h in the map");
        RegisterGroupLayout mapped = layout;
        mapped.bitCaptions = info->bitCaptions;
        // A group box title shows "&&" as "&".
        box->setTitle(QString::fromLatin1(info->name).replace("&", "&&"));
        groups_.push_back({reg, BuildRegisterGroup(box, mapped)});
    }
}

BitBoxes RegisterBoxGroups::Boxes(uint8_t reg) const {
    for (const Group& group : groups_)
        if (group.reg == reg) return group.boxes;
    return {};
}

bool RegisterBoxGroups::Shows(uint8_t reg) const {
    return Boxes(reg)[0] != nullptr;
}

uint8_t RegisterBoxGroups::Send(uint8_t reg) const {
    return image_().StoreAndWrite(reg, PackBits(Boxes(reg)));
}

uint8_t RegisterBoxGroups::Apply(uint8_t reg) const {
    const uint8_t sent = Send(reg);
    Refresh(reg, sent);
    return sent;
}

uint8_t RegisterBoxGroups::Read(uint8_t reg) const {
    const uint8_t read = image_().ReadAndStore(reg);
    Refresh(reg, read);
    return read;
}

void RegisterBoxGroups::ReadAll() const {
    for (const Group& group : groups_) Read(group.reg);
}

std::vector<uint8_t> RegisterBoxGroups::Registers() const {
    std::vector<uint8_t> registers;
    for (const Group& group : groups_) registers.push_back(group.reg);
    return registers;
}

void RegisterBoxGroups::Show(uint8_t reg, uint8_t value) const {
    ShowBits(Boxes(reg), value);
}

void RegisterBoxGroups::Refresh(uint8_t reg, uint8_t value) const {
    Show(reg, value);
    if (follow_) follow_(reg);
}

void RegisterBoxGroups::ShowImage() const {
    ByteRegisters& image = image_();
    for (const Group& group : groups_) Show(group.reg, image.Current(group.reg));
}

}  // namespace qk
