#include "gui/widgets/RadioGroup.h"

#include <QVBoxLayout>

namespace qk {

namespace {
constexpr int kItemIndent = 6;
}  // namespace

RadioGroup::RadioGroup(QWidget* parent) : QGroupBox(parent), group_(new QButtonGroup(this)) {
    group_->setExclusive(true);
    // Items share the box evenly below the title, as tightly as their text allows: the box's
    // size is the window's, not the layout's.
    auto* items = new QVBoxLayout(this);
    items->setContentsMargins(kItemIndent, 0, 0, 0);
    items->setSpacing(0);
    connect(group_, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
}

void RadioGroup::setItems(const QStringList& items) {
    for (QAbstractButton* button : group_->buttons()) {
        group_->removeButton(button);
        delete button;
    }
    items_ = items;
    for (int i = 0; i < items_.size(); ++i) {
        auto* button = new QRadioButton(items_[i], this);
        button->setObjectName(objectName() + "_" + QString::number(i));
        group_->addButton(button, i);
        layout()->addWidget(button);
    }
}

int RadioGroup::itemIndex() const {
    return group_->checkedId();
}

void RadioGroup::setItemIndex(int index) {
    if (items_.isEmpty()) return;
    if (index >= count()) index = count() - 1;
    if (index < 0) {
        if (QAbstractButton* checked = group_->checkedButton()) {
            group_->setExclusive(false);
            checked->setChecked(false);
            group_->setExclusive(true);
        }
        return;
    }
    group_->button(index)->setChecked(true);
}

QRadioButton* RadioGroup::button(int index) const {
    return qobject_cast<QRadioButton*>(group_->button(index));
}

}  // namespace qk
