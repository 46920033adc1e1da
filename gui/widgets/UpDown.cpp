#include "gui/widgets/UpDown.h"

#include <QBoxLayout>
#include <algorithm>

namespace qk {

UpDown::UpDown(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    up_->setObjectName("up");
    down_->setObjectName("down");
    for (QToolButton* arrow : {up_, down_})
        arrow->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    connect(up_, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
    Arrange();
}

void UpDown::setPosition(int value) {
    position_ = std::clamp(value, minimum_, maximum_);
}

void UpDown::setOrientation(Qt::Orientation orientation) {
    orientation_ = orientation;
    Arrange();
}

void UpDown::Arrange() {
    delete layout();
    QBoxLayout* box;
    if (orientation_ == Qt::Vertical) {
        box = new QVBoxLayout(this);
        up_->setArrowType(Qt::UpArrow);
        down_->setArrowType(Qt::DownArrow);
        box->addWidget(up_);
        box->addWidget(down_);
    } else {
        box = new QHBoxLayout(this);
        up_->setArrowType(Qt::RightArrow);
        down_->setArrowType(Qt::LeftArrow);
        box->addWidget(down_);
        box->addWidget(up_);
    }
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
}

void UpDown::Step(int direction) {
    setPosition(position_ + direction * increment_);
    emit clicked(position_);
}

}  // namespace qk
