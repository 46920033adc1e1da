#pragma once
#include <QWidget>

#include "ui_Syscontrol0unit.h"

// "System Control 0"
class TSysControl0Form : public QWidget {
    Q_OBJECT
  public:
    explicit TSysControl0Form(QWidget* parent = nullptr);

    Ui::TSysControl0Form ui;

    // Sets the radio groups from group 02, then writes 02h.
    void Reload();
    void ApplyButtonClick();
};
