#pragma once
#include <QWidget>

#include "ui_Syscontrol1unit.h"

// "System Control 1"
class TSysControl1Form : public QWidget {
    Q_OBJECT
  public:
    explicit TSysControl1Form(QWidget* parent = nullptr);

    Ui::TSysControl1Form ui;

    // Sets the radio groups from group 03, then writes 03h.
    void Reload();
    void ApplyButtonClick();
};
