#pragma once
#include <QDialog>

#include "ui_Aboutunit.h"

// "About"
class TAboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutBox(QWidget* parent = nullptr);

    Ui::TAboutBox ui;
};
