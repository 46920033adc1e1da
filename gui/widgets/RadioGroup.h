#pragma once
#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QStringList>

namespace qk {

// A captioned group of radio items with an item index. Setting the index from code fires nothing
// and clamps: past the last item selects the last, below 0 selects none. itemClicked comes only
// from the user.
class RadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(QStringList items READ items WRITE setItems)
    Q_PROPERTY(int itemIndex READ itemIndex WRITE setItemIndex)
  public:
    explicit RadioGroup(QWidget* parent = nullptr);

    QStringList items() const { return items_; }
    void setItems(const QStringList& items);
    int itemIndex() const;
    void setItemIndex(int index);
    int count() const { return static_cast<int>(items_.size()); }
    QRadioButton* button(int index) const;

  signals:
    void itemClicked(int index);

  private:
    QStringList items_;
    QButtonGroup* group_;
};

}  // namespace qk
