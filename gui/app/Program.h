#pragma once
#include <memory>
#include <string>

#include "core/bus/Port.h"
#include "gui/session/ChipSession.h"

namespace qk {

class BusErrorPresenter;

// The whole program on one port: creates every window in the fixed order, and deletes them again
// when it ends. Only one Program exists at a time (the windows are global instances).
// With an `adapter` (an i2c-dev adapter, an FTDI bridge) the frames go through it instead of the
// port.
class Program {
  public:
    explicit Program(PortIo& port, const AdapterChoice& adapter = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Shows the main window; the port's (or the adapter's) set-up problem, if any, is told once.
    void Show();

    // The state every window shares.
    ChipSession& Session() { return *session_; }

  private:
    std::unique_ptr<ChipSession> session_;
    std::unique_ptr<BusErrorPresenter> busErrors_;  // the main window's view of the bus errors
};

// Fixes number formats ("." whatever the locale), the application's name, font and style; call
// right after the QApplication is constructed.
void InitialiseApplication();

}  // namespace qk
