#pragma once
#include <QDialog>

#include "ui_Aboutunit.h"

// "About": version, date and the chip family the program serves.
class TAboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutBox(QWidget* parent = nullptr);

  private:
    Ui::TAboutBox ui;
};
