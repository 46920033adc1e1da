#pragma once
#include <QWidget>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "core/chips/RegisterImage.h"
#include "core/chips/RegisterMap.h"
#include "gui/widgets/BitBoxes.h"
#include "gui/widgets/RegisterGroup.h"

namespace qk {

// The check-box groups of a register window of either generation, one group per register, and
// their traffic with the register image and the chip: image first, wire second.
class RegisterBoxGroups {
  public:
    // The group titles and bit captions come from the family's register `map`. The image is
    // looked up when used. follow(reg) lets the register's other views (a setup window, a list)
    // follow its boxes after a read, an apply or a refresh; a window that decides itself what
    // follows passes none.
    RegisterBoxGroups(const RegisterMap& map, std::function<ByteRegisters&()> image,
                      std::function<void(uint8_t reg)> follow = {});

    // Fills the window's group box of each layout (its groupBox, or Reg<xx>GroupBox), in layout
    // order, titled and captioned as the register map names the register and its bits.
    void Build(QWidget* window, std::span<const RegisterGroupLayout> layouts);

    // The boxes of a register, bit 0 first; null boxes for a register the window does not show.
    BitBoxes Boxes(uint8_t reg) const;
    bool Shows(uint8_t reg) const;

    // Packs the boxes into CurrentImage and writes the stored byte; returns it.
    uint8_t Send(uint8_t reg) const;
    // Send, then the boxes show what was sent and the other views follow; returns it.
    uint8_t Apply(uint8_t reg) const;
    // ReadRegister into CurrentImage, then the boxes show it and the other views follow; returns
    // it.
    uint8_t Read(uint8_t reg) const;
    // Read of every register, in layout order.
    void ReadAll() const;
    // The registers of the groups, in READ ALL order.
    std::vector<uint8_t> Registers() const;
    void Show(uint8_t reg, uint8_t value) const;
    // Show, then the other views follow.
    void Refresh(uint8_t reg, uint8_t value) const;
    // Every group from CurrentImage: box edits that were not sent are discarded.
    void ShowImage() const;

  private:
    struct Group {
        uint8_t reg;
        BitBoxes boxes;
    };

    const RegisterMap& map_;
    std::function<ByteRegisters&()> image_;
    std::function<void(uint8_t)> follow_;
    std::vector<Group> groups_;
};

}  // namespace qk
