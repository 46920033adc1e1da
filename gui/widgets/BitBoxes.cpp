#include "gui/widgets/BitBoxes.h"

namespace qk {

uint8_t PackBits(const BitBoxes& boxes) {
    uint8_t value = 0;
    for (int bit = 0; bit < 8; ++bit)
        if (boxes[bit]->checkState() == Qt::Checked) value |= uint8_t(1u << bit);
    return value;
}

void ShowBits(const BitBoxes& boxes, uint8_t value) {
    for (QCheckBox* box : boxes) box->setCheckState(Qt::Unchecked);
    for (int bit = 0; bit < 8; ++bit)
        if (value & (1u << bit)) boxes[bit]->setCheckState(Qt::Checked);
}

}  // namespace qk
