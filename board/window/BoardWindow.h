#pragma once
#include <QWidget>

#include "board/BoardOptions.h"

class QLabel;

namespace qk::board {

// "Board": the virtual board's faults as buttons, one row per fault (begin, end), and the board's
// status registers as the chip holds them. Also runs the --events schedule.
class BoardWindow : public QWidget {
    Q_OBJECT
  public:
    BoardWindow(VirtualBoard& board, Chip chip, QWidget* parent = nullptr);

    // Fires each event of the schedule at its time from now.
    void Schedule(const std::vector<TimedEvent>& events);
    // Begins or ends a fault, as its button does.
    void Fire(const std::string& name);

  private:
    void ShowStatus();

    VirtualBoard& board_;
    Chip chip_;
    QLabel* status_ = nullptr;
};

}  // namespace qk::board
