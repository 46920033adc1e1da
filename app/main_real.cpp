// qk3xx: the tool on the PC's parallel port LPT1.
#include <QApplication>

#include "app/Program.h"
#include "link/PpdevPort.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    qk::InitialiseApplication();
    qk::PpdevPort port("/dev/parport0");
    qk::Program program(port);
    program.Show();
    return app.exec();
}
