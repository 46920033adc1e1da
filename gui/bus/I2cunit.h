#pragma once
#include <QWidget>
#include <memory>

#include "core/bus/I2cBus.h"
#include "core/bus/I2cDevBus.h"
#include "core/bus/SclCalibration.h"
#include "ui_I2cunit.h"

// "SCL Adjust": owns the bus master, calibrates its SCL period and lets the user set it by hand.
class TI2CForm : public QWidget {
    Q_OBJECT
  public:
    TI2CForm(qk::PortIo& port, qk::FrameLogSink& log, QWidget* parent = nullptr);

    Ui::TI2CForm ui;

    // The parallel-port bit-banger, whose counts this window calibrates.
    qk::I2cBus& Bus() { return bus_; }
    // The bus master in force: the adapter once UseAdapter was called, else the parallel port.
    qk::I2cMaster& Master() { return adapter_ ? static_cast<qk::I2cMaster&>(*adapter_) : bus_; }
    // Puts an I2C adapter in force in place of the parallel port and opens it; the adapter sets
    // the clock, so calibration and the count are disabled. False when it could not be opened
    // (AdapterSetupError says why).
    bool UseAdapter(std::unique_ptr<qk::I2cDevBus> adapter);
    bool AdapterInUse() const { return adapter_ != nullptr; }
    std::string AdapterSetupError() const { return adapter_ ? adapter_->SetupError() : ""; }
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

    qk::I2cBus bus_;
    std::unique_ptr<qk::I2cDevBus> adapter_;
    // The up-down's maximum in the layout (2000); after a calibration the maximum is the larger of
    // it and twice the calibrated count.
    int layoutMaximumCount_ = 0;
};
