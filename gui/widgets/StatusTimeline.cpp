#include "gui/widgets/StatusTimeline.h"

#include <QPainter>
#include <algorithm>

namespace qk {

namespace {
constexpr int NameWidth = 96;
constexpr int AxisHeight = 16;
// At most this many intervals between the axis's ticks.
constexpr int64_t MostTicks = 6;
// The tick spacings the axis chooses from, shortest first.
constexpr int64_t TickStepsMs[] = {1000, 2000, 5000, 10000, 15000, 30000, 60000};

int64_t TickStepMs(int64_t spanMs) {
    for (int64_t step : TickStepsMs)
        if (spanMs <= step * MostTicks) return step;
    return std::end(TickStepsMs)[-1];
}

// "-20 s", "-2 min", "-90 s".
QString TickText(int64_t beforeNowMs) {
    if (beforeNowMs == 0) return "now";
    if (beforeNowMs % 60000 == 0) return QString("-%1 min").arg(beforeNowMs / 60000);
    return QString("-%1 s").arg(beforeNowMs / 1000);
}
// A level drawn as the lamps show it: a fault red, good green, information grey.
QColor TraceColor(const StatusBit& bit, bool level) {
    if (bit.sense == BitSense::Information) return {200, 200, 200};
    return bit.IsFault(level) ? QColor(255, 70, 70) : QColor(0, 210, 0);
}
}  // namespace

// The plot runs from the first poll (or as far back as the history reaches) to the last poll, so
// the first minutes of a watch use the whole width.
void StatusTimeline::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!watch_ || watch_->Bits().empty()) return;
    const auto& bits = watch_->Bits();
    const int plotWidth = width() - NameWidth - 8;
    const int rowHeight = (height() - AxisHeight) / static_cast<int>(bits.size());
    const int64_t end = watch_->LastPollMs();
    const int64_t span = watch_->SpanMs();
    const int64_t start = end - span;
    const auto x = [&](int64_t t) {
        const int64_t clamped = std::clamp(t, start, end);
        return NameWidth + static_cast<int>((clamped - start) * plotWidth / span);
    };
    // The time axis: "now" at the right, a tick every step before it.
    painter.setPen(QColor(90, 90, 90));
    const int axisY = height() - AxisHeight;
    const int64_t step = TickStepMs(span);
    for (int64_t before = 0; before <= span; before += step) {
        const int tx = x(end - before);
        painter.drawLine(tx, 0, tx, axisY);
        // "now" ends at the right edge rather than being cut by it.
        const QRect label = before == 0 ? QRect(tx - 60, axisY, 60, AxisHeight)
                                        : QRect(tx - 30, axisY, 60, AxisHeight);
        painter.drawText(label, before == 0 ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignCenter,
                         TickText(before));
    }
    for (size_t row = 0; row < bits.size(); ++row) {
        const StatusWatch::BitState& state = bits[row];
        const int top = static_cast<int>(row) * rowHeight;
        const int high = top + 3, low = top + rowHeight - 3;
        painter.setPen(Qt::yellow);
        painter.drawText(QRect(4, top, NameWidth - 8, rowHeight), Qt::AlignVCenter | Qt::AlignLeft,
                         QString::fromUtf8(state.bit.name));
        if (end < 0 || state.history.empty()) continue;
        int lastX = x(state.history.front().first);
        bool level = state.history.front().second;
        for (size_t i = 1; i < state.history.size(); ++i) {
            const int cx = x(state.history[i].first);
            painter.setPen(QPen(TraceColor(state.bit, level), 2));
            painter.drawLine(lastX, level ? high : low, cx, level ? high : low);
            painter.drawLine(cx, high, cx, low);
            lastX = cx;
            level = state.history[i].second;
        }
        painter.setPen(QPen(TraceColor(state.bit, level), 2));
        painter.drawLine(lastX, level ? high : low, x(end), level ? high : low);
    }
}

}  // namespace qk
