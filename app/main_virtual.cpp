// qk3xx-virtual: the tool on the virtual evaluation board.
#include <QApplication>

#include "app/Program.h"
#include "board/VirtualBoard.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    qk::InitialiseApplication();
    qk::board::VirtualBoard board(qk::board::Chip::QK310, 0x34);
    qk::Program program(board);
    program.Show();
    return app.exec();
}
