#pragma once
#include <QWidget>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "widgets/BitBoxes.h"
#include "widgets/RegisterGroup.h"

namespace qk {

// How a register window reaches its generation's image and chip: image first, wire second.
struct RegisterAccess {
    // Stores the value in CurrentImage, writes the stored byte and returns it.
    std::function<uint8_t(uint8_t reg, uint8_t value)> storeAndWrite;
    // Reads the register into CurrentImage and returns the stored byte.
    std::function<uint8_t(uint8_t reg)> readAndStore;
};

// The check-box groups of a register window, one group per register, over any register image.
// What follows a send or a read (a setup window, a list) is the window's own business.
class RegisterBoxSet {
  public:
    explicit RegisterBoxSet(RegisterAccess access) : access_(std::move(access)) {}

    // Fills the window's group box of each layout (Reg<xx>GroupBox), in layout order.
    void Build(QWidget* window, std::span<const RegisterGroupLayout> layouts);
    // Fills one group box, whatever its name.
    void Add(QGroupBox* box, const RegisterGroupLayout& layout);

    // The boxes of a register, bit 0 first; null boxes for a register the window does not show.
    BitBoxes Boxes(uint8_t reg) const;
    bool Shows(uint8_t reg) const { return Boxes(reg)[0] != nullptr; }

    // Packs the boxes into CurrentImage and writes the stored byte; returns it.
    uint8_t Send(uint8_t reg) const;
    // Send, then the boxes show what was sent; returns it.
    uint8_t Apply(uint8_t reg) const;
    // ReadRegister into CurrentImage, then the boxes show it; returns it.
    uint8_t Read(uint8_t reg) const;
    void Show(uint8_t reg, uint8_t value) const;

  private:
    struct Group {
        uint8_t reg;
        BitBoxes boxes;
    };

    RegisterAccess access_;
    std::vector<Group> groups_;
};

}  // namespace qk
