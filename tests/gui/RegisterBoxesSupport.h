#pragma once
#include <QCheckBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <cstdint>

#include "gui/widgets/BitBoxes.h"

namespace qk::test {

// A user's click on a check box's square.
inline void ClickBox(QCheckBox* box) {
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect square = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, {}, square.center());
}

// What a group of boxes shows, read box by box (bit 0 first; only a full check counts).
inline uint8_t Shown(const BitBoxes& boxes) {
    uint8_t value = 0;
    for (int bit = 0; bit < 8; ++bit)
        if (boxes[bit]->checkState() == Qt::Checked) value |= uint8_t(1u << bit);
    return value;
}

}  // namespace qk::test
