#pragma once
#include <QWidget>

#include "link/I2cBus.h"
#include "ui_I2cunit.h"

// "SCL Adjust": owns the bus master, calibrates its SCL period and lets the user set it by hand.
class TI2CForm : public QWidget {
    Q_OBJECT
  public:
    TI2CForm(qk::PortIo& port, qk::I2cErrorSink& errors, qk::FrameLogSink& log,
             QWidget* parent = nullptr);

    Ui::TI2CForm ui;

    qk::I2cBus& Bus() { return bus_; }
    // Measures the busy-loop count of one SCL period of `targetMicroseconds`.
    void CalibrateScl(double targetMicroseconds);

  private:
    qk::I2cBus bus_;
};
