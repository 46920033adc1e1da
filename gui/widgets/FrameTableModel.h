#pragma once
#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <cstdint>
#include <optional>

#include "core/bus/FrameRing.h"

namespace qk {

// The bus monitor's table over the frame ring: one row per kept frame, oldest first. The ring
// fills as frames come; Sync() brings the rows up to date in one batch (dropped frames leave from
// the top, new ones join at the bottom), so a burst of frames costs one update, not one per frame.
class FrameTableModel : public QAbstractTableModel {
  public:
    enum Column { Time, Address, Direction, SubAddress, Bytes, Read, Meaning, Error, ColumnCount };

    FrameTableModel(const FrameRing& ring, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void Sync();
    // The frame of a row, or nullptr when it has left the ring since the last Sync.
    const MonitoredFrame* FrameAt(int row) const;

  private:
    const FrameRing& ring_;
    uint64_t first_ = 0;  // the sequence number of row 0
    int rows_ = 0;
};

// Shows only the frames that wrote or read one register (all frames when none is chosen).
class RegisterFilterModel : public QSortFilterProxyModel {
  public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void SetRegister(std::optional<uint8_t> subAddress);

  protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

  private:
    std::optional<uint8_t> register_;
};

}  // namespace qk
