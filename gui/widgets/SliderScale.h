#pragma once
#include <QObject>
#include <QPoint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QLabel;
class QSlider;

namespace qk {

// The scale labels beside a vertical slider, each kept level with the handle at the position
// its text marks: by default the position whose readout shows the label's text (see
// ScaleMarkPosition). They move with the handle's track whenever the slider or a label changes
// size, place, style or font.
class SliderScale : public QObject {
  public:
    // The readout's text at a slider position.
    using Readout = std::function<std::string(int position)>;
    // The position a label's text marks, if any.
    using MarkPosition = std::function<std::optional<int>(const std::string& text)>;

    // Watches the slider and the labels; lives as long as the slider. A label whose text names no
    // position stays where it is; a missing (null) label is skipped.
    SliderScale(QSlider* slider, const std::vector<QLabel*>& labels, const Readout& readout);
    SliderScale(QSlider* slider, const std::vector<QLabel*>& labels,
                const MarkPosition& markPosition);

    // The centre of the slider's handle at a position, in the slider's coordinates.
    static QPoint HandleCentre(const QSlider* slider, int position);
    // The positions the labels stand at, top to bottom as given.
    std::vector<int> MarkPositions() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Place() const;

    QSlider* slider_;
    std::vector<std::pair<QLabel*, int>> marks_;  // a label and its position
};

}  // namespace qk
