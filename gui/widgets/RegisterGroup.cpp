#include "gui/widgets/RegisterGroup.h"

#include <QLabel>

#include "gui/widgets/Colors.h"

namespace qk {

namespace {
// Where the rows of a group box go.
struct RowMetrics {
    int top, row, labelWidth, boxWidth;
};
constexpr RowMetrics kRegular{.top = 36, .row = 21, .labelWidth = 24, .boxWidth = 112};
constexpr RowMetrics kCompact{.top = 32, .row = 17, .labelWidth = 22, .boxWidth = 102};
}  // namespace

BitBoxes BuildRegisterGroup(QGroupBox* group, const RegisterGroupLayout& layout) {
    const RowMetrics m = layout.compact ? kCompact : kRegular;
    const QString reg = QString::fromLatin1(layout.reg);
    auto* address = new QLabel("Address: " + reg + "h", group);
    address->setObjectName("Reg" + reg + "Label");
    address->setGeometry(8, m.top - 20, m.labelWidth + m.boxWidth, 18);
    QFont bold = address->font();
    bold.setBold(true);
    address->setFont(bold);
    SetTextColor(address, clNavy);

    auto* bitPanel = new QWidget(group);
    bitPanel->setObjectName("Reg" + reg + "BitPanel");
    bitPanel->setGeometry(6, m.top, m.labelWidth, 8 * m.row);
    SetBackgroundColor(bitPanel, clYellow);

    const QColor info = group->palette().color(QPalette::ToolTipBase);
    BitBoxes boxes{};
    for (int row = 0; row < 8; ++row) {
        const int bit = 7 - row;
        auto* label = new QLabel("D" + QString::number(bit), bitPanel);
        label->setGeometry(2, row * m.row, m.labelWidth - 2, m.row);

        auto* box = new QCheckBox(QString::fromUtf8(layout.bitCaptions[row]), group);
        box->setObjectName("CheckBox" + reg + "_" + QString::number(bit));
        box->setGeometry(6 + m.labelWidth, m.top + row * m.row, m.boxWidth, m.row);
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
