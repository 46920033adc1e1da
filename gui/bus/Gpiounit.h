#pragma once
#include <QWidget>

#include "gui/session/ChipSession.h"
#include "gui/widgets/BitBoxes.h"
#include "ui_Gpiounit.h"

// "Parallel Port Pins": sets the port's eight data lines by hand (bit 2 is the board's reset line
// and stays 0).
class TGPIOForm : public QWidget {
    Q_OBJECT
  public:
    explicit TGPIOForm(qk::ChipSession& session, QWidget* parent = nullptr);

    Ui::TGPIOForm ui;

  private:
    qk::ChipSession& session_;
    // One write of the ticked bits to the data port, also while OFF LINE is checked.
    void SendButtonClick();

    qk::BitBoxes bits_;
};
