#pragma once
#include <QWidget>
#include <memory>
#include <string>

#include "link/Datalog.h"
#include "link/I2cBus.h"
#include "link/Port.h"
#include "ui_Okapimain.h"

// The main window: status lines, START and chip detection, chip selection, OFF LINE, I2C address,
// data log, the volume and mute panel and the buttons that open the register windows.
class TOkapiForm : public QWidget, public qk::I2cErrorSink {
    Q_OBJECT
  public:
    explicit TOkapiForm(qk::PortIo& port, QWidget* parent = nullptr);

    Ui::TOkapiForm ui;

    uint8_t DeviceAddress = 0x34;
    bool ChipNeedsInit = false;
    bool QK310MuteAllEngaged = false;
    bool QK330MuteAllEngaged = false;

    qk::PortIo& Port() { return port_; }
    qk::TransactionLog& Log() { return *log_; }
    // Why the parallel port could not be set up (empty when it could).
    const std::string& PortSetupError() const { return portSetupError_; }

    // Bus errors: status lines and dialogs.
    void ShowFirstErrorLine(const std::string& text) override;
    void ShowSecondErrorLine(const std::string& text) override;
    void ShowErrorLine(const std::string& text) override;
    void ShowAckErrorDialog() override;
    void ShowWaitErrorDialog() override;

  private:
    qk::PortIo& port_;
    std::unique_ptr<qk::TransactionLog> log_;
    std::string portSetupError_;
};
