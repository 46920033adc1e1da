#include "gui/widgets/SliderScale.h"

#include <QEvent>
#include <QLabel>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>

#include "core/chips/ReadoutScale.h"

namespace qk {

namespace {

// The option a vertical slider paints itself with, its handle at the position.
QStyleOptionSlider HandleOption(const QSlider* slider, int position) {
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.subControls = QStyle::SC_None;
    option.activeSubControls = QStyle::SC_None;
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.tickPosition = slider->tickPosition();
    option.tickInterval = slider->tickInterval();
    option.singleStep = slider->singleStep();
    option.pageStep = slider->pageStep();
    option.sliderPosition = position;
    option.sliderValue = position;
    // A vertical slider runs from the bottom up unless its appearance is inverted.
    option.upsideDown = !slider->invertedAppearance();
    return option;
}

bool MovesTheScale(QEvent::Type type) {
    switch (type) {
        case QEvent::Resize:
        case QEvent::Move:
        case QEvent::Show:
        case QEvent::StyleChange:
        case QEvent::FontChange:
        case QEvent::Polish:
            return true;
        default:
            return false;
    }
}

}  // namespace

SliderScale::SliderScale(QSlider* slider, const std::vector<QLabel*>& labels,
                         const Readout& readout)
    : SliderScale(slider, labels, [slider, readout](const std::string& text) {
          return ScaleMarkPosition(text, slider->minimum(), slider->maximum(), readout);
      }) {}

SliderScale::SliderScale(QSlider* slider, const std::vector<QLabel*>& labels,
                         const MarkPosition& markPosition)
    : QObject(slider), slider_(slider) {
    slider->installEventFilter(this);
    for (QLabel* label : labels) {
        if (!label) continue;
        const std::optional<int> position = markPosition(label->text().toStdString());
        if (!position || *position < slider->minimum() || *position > slider->maximum()) continue;
        marks_.emplace_back(label, *position);
        label->installEventFilter(this);
    }
    Place();
}

QPoint SliderScale::HandleCentre(const QSlider* slider, int position) {
    const QStyleOptionSlider option = HandleOption(slider, position);
    return slider->style()
        ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider)
        .center();
}

std::vector<int> SliderScale::MarkPositions() const {
    std::vector<int> positions;
    for (const auto& mark : marks_) positions.push_back(mark.second);
    return positions;
}

bool SliderScale::eventFilter(QObject* watched, QEvent* event) {
    // The labels' own moves are this scale's doing; only their size and font concern it.
    const bool labelMoved = watched != slider_ && event->type() == QEvent::Move;
    if (!labelMoved && MovesTheScale(event->type())) Place();
    return QObject::eventFilter(watched, event);
}

// A label's centre row (as QRect::center() counts it) goes level with the handle's centre.
void SliderScale::Place() const {
    QWidget* window = slider_->window();
    for (const auto& [label, position] : marks_) {
        const QPoint centre = slider_->mapTo(window, HandleCentre(slider_, position));
        const int y = label->parentWidget()->mapFrom(window, centre).y();
        label->move(label->x(), y - (label->height() - 1) / 2);
    }
}

}  // namespace qk
