#pragma once
#include <QWidget>

#include "ui_Gpiounit.h"

// "Parallel Port Pins"
class TGPIOForm : public QWidget {
    Q_OBJECT
  public:
    explicit TGPIOForm(QWidget* parent = nullptr);

    Ui::TGPIOForm ui;
};
