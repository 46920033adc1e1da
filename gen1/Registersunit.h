#pragma once
#include <QWidget>
#include <cstdint>

#include "chips/QK310RegisterImage.h"
#include "ui_Registersunit.h"
#include "widgets/BitBoxes.h"

// "Registers": the first generation's register editor. It owns the register image, and its check
// boxes are shared state that the main window, the chip models and the setup windows read and set.
class TRegistersForm : public QWidget {
    Q_OBJECT
  public:
    explicit TRegistersForm(QWidget* parent = nullptr);

    Ui::TRegistersForm ui;

    qk::QK310RegisterImage& Image() { return image_; }
    // The check boxes of a register group (00h, 01h, 02h, 03h, 04h, 05h, 12h, 19h), bit 0 first.
    qk::BitBoxes Group(uint8_t reg) const;
    // Channel mute Apply: packs group 19 and writes 19h even while MUTE ALL is engaged.
    void Reg19ButtonClick();
    // Shows a just-restored image entry in the window(s) that show it.
    void RefreshEntry(int entry);

  private:
    qk::QK310RegisterImage image_;
    std::array<qk::BitBoxes, 8> groups_{};
};
