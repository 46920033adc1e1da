#include "gui/widgets/StatusTimeline.h"

#include <QPainter>
#include <algorithm>

namespace qk {

namespace {
constexpr int NameWidth = 96;
constexpr int AxisHeight = 16;
}  // namespace

void StatusTimeline::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!watch_ || watch_->Bits().empty()) return;
    const auto& bits = watch_->Bits();
    const int plotWidth = width() - NameWidth - 8;
    const int rowHeight = (height() - AxisHeight) / static_cast<int>(bits.size());
    const int64_t end = watch_->LastPollMs();
    const int64_t start = end - StatusWatch::HistoryMs;
    const auto x = [&](int64_t t) {
        const int64_t clamped = std::clamp(t, start, end);
        return NameWidth + static_cast<int>((clamped - start) * plotWidth / StatusWatch::HistoryMs);
    };
    // The time axis: a tick a minute, "now" at the right.
    painter.setPen(QColor(90, 90, 90));
    const int axisY = height() - AxisHeight;
    for (int minute = 0; minute <= 5; ++minute) {
        const int tx = x(end - minute * 60000LL);
        painter.drawLine(tx, 0, tx, axisY);
        // "now" ends at the right edge rather than being cut by it.
        const QRect label = minute == 0 ? QRect(tx - 60, axisY, 60, AxisHeight)
                                        : QRect(tx - 30, axisY, 60, AxisHeight);
        painter.drawText(label, minute == 0 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter,
                         minute == 0 ? QString("now") : QString("-%1 min").arg(minute));
    }
    for (size_t row = 0; row < bits.size(); ++row) {
        const StatusWatch::BitState& state = bits[row];
        const int top = static_cast<int>(row) * rowHeight;
        const int high = top + 3, low = top + rowHeight - 3;
        painter.setPen(Qt::yellow);
        painter.drawText(QRect(4, top, NameWidth - 8, rowHeight), Qt::AlignVCenter | Qt::AlignLeft,
                         QString::fromUtf8(state.bit.name));
        if (end < 0 || state.history.empty()) continue;
        painter.setPen(QPen(QColor(0, 255, 0), 2));
        int lastX = x(state.history.front().first);
        bool level = state.history.front().second;
        for (size_t i = 1; i < state.history.size(); ++i) {
            const int cx = x(state.history[i].first);
            painter.drawLine(lastX, level ? high : low, cx, level ? high : low);
            painter.drawLine(cx, high, cx, low);
            lastX = cx;
            level = state.history[i].second;
        }
        painter.drawLine(lastX, level ? high : low, x(end), level ? high : low);
    }
}

}  // namespace qk
