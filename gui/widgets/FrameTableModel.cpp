#include "gui/widgets/FrameTableModel.h"

#include <QBrush>
#include <QColor>

#include "core/bus/FrameRecorder.h"

namespace qk {

namespace {
constexpr const char* kHeaders[] = {"Time",  "Address", "W/R",     "Sub",
                                    "Bytes", "Read",    "Meaning", "Error"};
}  // namespace

FrameTableModel::FrameTableModel(const FrameRing& ring, QObject* parent)
    : QAbstractTableModel(parent), ring_(ring), first_(ring.FirstSequence()) {}

int FrameTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int FrameTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

const MonitoredFrame* FrameTableModel::FrameAt(int row) const {
    return row < 0 || row >= rows_ ? nullptr : ring_.Find(first_ + static_cast<uint64_t>(row));
}

QVariant FrameTableModel::data(const QModelIndex& index, int role) const {
    const MonitoredFrame* frame = FrameAt(index.row());
    if (!frame) return {};
    if (role == Qt::BackgroundRole) {
        const FrameRecord& f = frame->frame;
        if (f.ackError || f.waitError || f.otherError) return QBrush(QColor(255, 190, 190));
        return {};
    }
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    const FrameTexts texts = TextsOf(*frame);
    const std::string* columns[] = {&texts.time,       &texts.address, &texts.direction,
                                    &texts.subAddress, &texts.bytes,   &texts.read,
                                    &texts.meaning,    &texts.error};
    if (role == Qt::ToolTipRole) return QString::fromStdString(texts.meaning);
    return QString::fromStdString(*columns[index.column()]);
}

QVariant FrameTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    return section >= 0 && section < ColumnCount ? QString(kHeaders[section]) : QVariant();
}

void FrameTableModel::Sync() {
    const uint64_t ringFirst = ring_.FirstSequence();
    const uint64_t ringNext = ring_.NextSequence();
    const uint64_t shownEnd = first_ + static_cast<uint64_t>(rows_);
    if (ringFirst >= shownEnd || ringNext < shownEnd) {
        // Every shown frame has gone (or the ring was cleared): start afresh.
        beginResetModel();
        first_ = ringFirst;
        rows_ = static_cast<int>(ringNext - ringFirst);
        endResetModel();
        return;
    }
    if (ringFirst > first_) {
        const int dropped = static_cast<int>(ringFirst - first_);
        beginRemoveRows({}, 0, dropped - 1);
        first_ = ringFirst;
        rows_ -= dropped;
        endRemoveRows();
    }
    if (ringNext > shownEnd) {
        const int added = static_cast<int>(ringNext - shownEnd);
        beginInsertRows({}, rows_, rows_ + added - 1);
        rows_ += added;
        endInsertRows();
    }
}

void RegisterFilterModel::SetRegister(std::optional<uint8_t> subAddress) {
    register_ = subAddress;
    invalidateFilter();
}

bool RegisterFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    if (!register_) return true;
    const auto* model = static_cast<const FrameTableModel*>(sourceModel());
    const MonitoredFrame* kept = model->FrameAt(sourceRow);
    if (!kept || kept->subAddress < 0) return false;
    const FrameRecord& f = kept->frame;
    const size_t values = f.kind == FrameRecord::Kind::Read
                              ? f.read.size()
                              : (f.bytes.empty() ? 0 : f.bytes.size() - 1);
    const int first = kept->subAddress;
    const int last = first + static_cast<int>(values > 0 ? values - 1 : 0);
    return *register_ >= first && *register_ <= last;
}

}  // namespace qk
