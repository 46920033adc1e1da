#pragma once
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <optional>

#include "board/BoardOptions.h"

class QLabel;

namespace qk::board {

// "Board": the virtual board's faults as buttons, one row per fault (begin, end), and the board's
// status registers as the chip holds them. Also runs the --events schedule.
class BoardWindow : public QWidget {
    Q_OBJECT
  public:
    BoardWindow(VirtualBoard& board, Chip chip, QWidget* parent = nullptr);

    // Fires each event of the schedule at its time: from now, or with "+" from the first
    // WatchPolled(); a repeating one again at each period.
    void Schedule(const std::vector<TimedEvent>& events);
    // The Status Watch has read the status registers: its first poll starts the "+" times.
    void WatchPolled();
    // Begins or ends a fault, as its button does.
    void Fire(const std::string& name);

  private:
    void ShowStatus();
    void FireDue();
    void WaitForNext();

    VirtualBoard& board_;
    Chip chip_;
    QLabel* status_ = nullptr;
    QElapsedTimer clock_;
    QTimer next_;  // single shot, at the next event's time
    std::optional<EventTimeline> timeline_;
};

}  // namespace qk::board
