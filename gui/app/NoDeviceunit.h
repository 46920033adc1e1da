#pragma once
#include <QDialog>

#include "ui_NoDeviceunit.h"

// "No Device Found!": START found no chip at the chosen address.
class TNoDeviceDlgForm : public QDialog {
    Q_OBJECT
  public:
    explicit TNoDeviceDlgForm(QWidget* parent = nullptr);

  private:
    Ui::TNoDeviceDlgForm ui;
};
