#pragma once
#include <QWidget>

#include "chips/QK310RegisterImage.h"
#include "widgets/BitBoxes.h"
#include "ui_Registersunit.h"

// "Registers"
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

private:
    qk::QK310RegisterImage image_;
};
