#include "widgets/RegisterGroup.h"

#include <QLabel>

#include "widgets/Colors.h"

namespace qk {

namespace {
constexpr int kTop = 36, kRow = 21, kLabelWidth = 24, kBoxWidth = 112;
}

BitBoxes BuildRegisterGroup(QGroupBox* group, const RegisterGroupLayout& layout) {
    const QString reg = QString::fromLatin1(layout.reg);
    auto* address = new QLabel("Address: " + reg + "h", group);
    address->setObjectName("Reg" + reg + "Label");
    address->setGeometry(8, 16, kLabelWidth + kBoxWidth, 18);
    QFont bold = address->font();
    bold.setBold(true);
    address->setFont(bold);
    SetTextColor(address, clNavy);

    auto* bitPanel = new QWidget(group);
    bitPanel->setObjectName("Reg" + reg + "BitPanel");
    bitPanel->setGeometry(6, kTop, kLabelWidth, 8 * kRow);
    SetBackgroundColor(bitPanel, clYellow);

    const QColor info = group->palette().color(QPalette::ToolTipBase);
    BitBoxes boxes{};
    for (int row = 0; row < 8; ++row) {
        const int bit = 7 - row;
        auto* label = new QLabel("D" + QString::number(bit), bitPanel);
        label->setGeometry(2, row * kRow, kLabelWidth - 2, kRow);

        auto* box = new QCheckBox(QString::fromUtf8(layout.bitCaptions[row]), group);
        box->setObjectName("CheckBox" + reg + "_" + QString::number(bit));
        box->setGeometry(6 + kLabelWidth, kTop + row * kRow, kBoxWidth, kRow);
        box->setTristate(layout.tristate);
        box->setEnabled(layout.enabledBits & (1u << bit));
        box->setChecked(layout.initialBits & (1u << bit));
        const QColor background = row % 2 == 0 ? BgrColor(clYellow) : info;
        box->setStyleSheet("QCheckBox { background-color: " + background.name() + "; }");
        boxes[bit] = box;
    }
    return boxes;
}

}  // namespace qk
