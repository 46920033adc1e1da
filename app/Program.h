#pragma once
#include "link/Port.h"

namespace qk {

// The whole program on one port: creates every window in the fixed order, and deletes them again
// when it ends. Only one Program exists at a time (the windows are global instances).
class Program {
  public:
    explicit Program(PortIo& port);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Shows the main window; the port set-up problem, if any, is told once.
    void Show();
};

// Fixes number formats ("." whatever the locale) and the application's name; call right after
// the QApplication is constructed.
void InitialiseApplication();

}  // namespace qk
