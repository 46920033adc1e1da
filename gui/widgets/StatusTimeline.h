#pragma once
#include <QWidget>

#include "core/chips/StatusWatch.h"

namespace qk {

// The status bits against time since the watch's first poll, up to its history's reach: one row per
// bit, a raised line while the bit is set, red while it reports a fault, the newest poll at the
// right edge.
class StatusTimeline : public QWidget {
  public:
    explicit StatusTimeline(QWidget* parent = nullptr) : QWidget(parent) {}
    // The watch to draw; it must outlive the timeline, or be replaced first.
    void SetWatch(const StatusWatch* watch) {
        watch_ = watch;
        update();
    }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const StatusWatch* watch_ = nullptr;
};

}  // namespace qk
