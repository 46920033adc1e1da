#pragma once
#include <QToolButton>
#include <QWidget>

namespace qk {

// An arrow pair that steps a position between minimum and maximum, without wrapping. The up (or
// right) arrow adds the increment, the down (or left) arrow subtracts it; with increment -1 the up
// arrow lowers the position. clicked comes only from the arrows; setPosition fires nothing.
class UpDown : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(int maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(int position READ position WRITE setPosition)
    Q_PROPERTY(int increment READ increment WRITE setIncrement)
    Q_PROPERTY(Qt::Orientation orientation READ orientation WRITE setOrientation)
  public:
    explicit UpDown(QWidget* parent = nullptr);

    int minimum() const { return minimum_; }
    void setMinimum(int value) { minimum_ = value; }
    int maximum() const { return maximum_; }
    void setMaximum(int value) { maximum_ = value; }
    int position() const { return position_; }
    void setPosition(int value);
    int increment() const { return increment_; }
    void setIncrement(int value) { increment_ = value; }
    Qt::Orientation orientation() const { return orientation_; }
    void setOrientation(Qt::Orientation orientation);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

  signals:
    void clicked(int position);

  private:
    void Step(int direction);
    void Arrange();

    int minimum_ = 0, maximum_ = 100, position_ = 0, increment_ = 1;
    Qt::Orientation orientation_ = Qt::Vertical;
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace qk
