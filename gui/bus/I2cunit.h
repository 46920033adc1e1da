#pragma once
#include <QWidget>
#include <memory>

#include "core/bus/SclCalibration.h"
#include "gui/session/ChipSession.h"
#include "ui_I2cunit.h"

// "SCL Adjust": calibrates the parallel-port bus master's SCL period and lets the user set it by
// hand. While an I2C adapter is in force the adapter sets the clock, so calibration and the count
// are disabled.
class TI2CForm : public QWidget {
    Q_OBJECT
  public:
    explicit TI2CForm(qk::ChipSession& session, QWidget* parent = nullptr);

    Ui::TI2CForm ui;
    // Measures the busy-loop count of one SCL period of `targetMicroseconds`, puts it in force and
    // moves the up-down to it, and shows the count with the SCL frequency measured on the bus;
    // does nothing while OFF LINE is checked or an adapter is in force, and on failure keeps the
    // counts in force.
    void CalibrateScl(double targetMicroseconds);
    // The clock and busy loop the bus master and its calibration time with (tests play a machine
    // of a chosen speed). By default steady_clock and the busy loop.
    void SetTiming(qk::SclTiming timing) { bus_.SetTiming(std::move(timing)); }

    // True while the count up-down is enabled for setting the count by hand.
    bool FineAdjustMode = false;

  private:
    void FreqAdjustButtonClick();
    void UpDownFreqAdjustClick(int position);
    void CalibrateButtonClick() { CalibrateScl(10.0); }
    void CloseButtonClick() { hide(); }
    void ShowStatus(const std::string& text);

    void ShowAdapterClock();

    qk::ChipSession& session_;
    qk::I2cBus& bus_;
    // The up-down's maximum in the layout (2000); after a calibration the maximum is the larger of
    // it and twice the calibrated count.
    int layoutMaximumCount_ = 0;
};
