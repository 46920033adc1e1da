#pragma once
#include <functional>
#include <string>

#include "core/bus/I2cMaster.h"

namespace qk {

// Shows the bus master's errors as the main window does: the first ACK or Wait error since RESET
// on the first status line (on the second when the other of the two came first), an ACK error
// and any other failure also on the red line, and the ACK or Wait dialog, modal, once until RESET
// and never for a probe. A repeated error shows nothing.
class BusErrorPresenter : public BusErrorListener {
  public:
    // Where the errors are shown.
    struct View {
        std::function<void(const std::string&)> firstLine, secondLine, errorLine;
        std::function<void()> ackDialog, waitDialog;
    };
    // Listens to `master` until destroyed; the master must outlive it.
    BusErrorPresenter(I2cMaster& master, View view);
    ~BusErrorPresenter() override;
    BusErrorPresenter(const BusErrorPresenter&) = delete;
    BusErrorPresenter& operator=(const BusErrorPresenter&) = delete;

    void OnBusError(const BusErrorEvent& event) override;

  private:
    I2cMaster& master_;
    View view_;
};

}  // namespace qk
