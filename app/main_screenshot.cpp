// qk3xx-screenshot: renders the QK330 register editor, as an engineer sees it after START on a
// virtual QK330, the login and the selection of QK330, into a PNG file (for the README).
#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <iostream>

#include "app/Forms.h"
#include "app/Okapimain.h"
#include "app/Program.h"
#include "board/VirtualBoard.h"
#include "qk330/QK330Regunit.h"

namespace {

void Click(QWidget* window, const char* button) {
    window->findChild<QAbstractButton*>(button)->click();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: qk3xx-screenshot FILE.png\n";
        return 2;
    }
    QApplication app(argc, argv);
    qk::InitialiseApplication();
    qk::board::VirtualBoard board(qk::board::Chip::QK330);
    qk::Program program(board);
    program.Show();
    Click(OkapiForm, "StartBitBtn");
    Click(OkapiForm, "HiddenButton");
    OkapiForm->findChild<QLineEdit*>("LoginEdit")->insert("pelmak");  // as if typed
    Click(OkapiForm, "LoginButton");
    Click(OkapiForm, "QK330RadioButton");
    Click(OkapiForm, "QK330RegistersBitBtn");
    QApplication::processEvents();
    if (!QK330RegForm->grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::cerr << "qk3xx-screenshot: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
