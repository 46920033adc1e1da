#pragma once
#include <QWidget>

#include "core/chips/StatusWatch.h"

namespace qk {

// The status bits against time over the watch's history: one row per bit, a raised line while the
// bit is set, the newest poll at the right edge.
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
