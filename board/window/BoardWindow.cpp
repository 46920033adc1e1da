#include "board/window/BoardWindow.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

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
}

void BoardWindow::Schedule(const std::vector<TimedEvent>& events) {
    for (const TimedEvent& event : events)
        QTimer::singleShot(std::chrono::milliseconds(event.atMs), this,
                           [this, name = event.name] { Fire(name); });
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
