#include "board/window/BoardWindow.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <climits>

namespace qk::board {

namespace {
// "lrclk-loss" -> "LrclkLossButton".
QString ButtonName(const char* event) {
    QString name;
    bool upper = true;
    for (const char* c = event; *c; ++c) {
        if (*c == '-') {
            upper = true;
            continue;
        }
        name += upper ? QChar(*c).toUpper() : QChar(*c);
        upper = false;
    }
    return name + "Button";
}
}  // namespace

BoardWindow::BoardWindow(VirtualBoard& board, Chip chip, QWidget* parent)
    : QWidget(parent), board_(board), chip_(chip) {
    setObjectName("BoardWindow");
    setWindowTitle("Board");
    auto* grid = new QGridLayout(this);
    int row = 0;
    for (const BoardEvent& event : BoardEvents()) {
        std::string unused;
        if (!EventFitsChip(event.raise, chip, unused)) continue;
        grid->addWidget(new QLabel(event.bitName, this), row, 0);
        int column = 1;
        for (const char* name : {event.raise, event.clear}) {
            auto* button = new QPushButton(name, this);
            button->setObjectName(ButtonName(name));
            connect(button, &QPushButton::clicked, this, [this, name] { Fire(name); });
            grid->addWidget(button, row, column++);
        }
        ++row;
    }
    status_ = new QLabel(this);
    status_->setObjectName("StatusLabel");
    grid->addWidget(status_, row, 0, 1, 3);
    ShowStatus();
    setFixedSize(sizeHint());
    next_.setSingleShot(true);
    next_.setTimerType(Qt::PreciseTimer);
    connect(&next_, &QTimer::timeout, this, &BoardWindow::FireDue);
}

void BoardWindow::Schedule(const std::vector<TimedEvent>& events) {
    clock_.start();
    timeline_.emplace(events, 0);
    WaitForNext();
}

void BoardWindow::WatchPolled() {
    if (!timeline_) return;
    timeline_->WatchPolled(clock_.elapsed());
    WaitForNext();
}

void BoardWindow::FireDue() {
    for (const std::string& name : timeline_->TakeDue(clock_.elapsed())) Fire(name);
    WaitForNext();
}

void BoardWindow::WaitForNext() {
    const std::optional<int64_t> next = timeline_->NextDueMs();
    if (!next) {
        next_.stop();
        return;
    }
    next_.start(static_cast<int>(std::clamp<int64_t>(*next - clock_.elapsed(), 0, INT_MAX)));
}

void BoardWindow::Fire(const std::string& name) {
    ApplyEvent(board_, chip_, name);
    ShowStatus();
}

void BoardWindow::ShowStatus() {
    status_->setText(QString::asprintf("Chip holds 00h=%02X 01h=%02X", board_.Register(0x00),
                                       board_.Register(0x01)));
}

}  // namespace qk::board
