#pragma once
#include <QDialog>

#include "ui_WaitErrorDialogunit.h"

// "Wait Error!": shown once when SCL does not go high, until the bus errors are reset.
class TWaitErrorDialogForm : public QDialog {
    Q_OBJECT
  public:
    explicit TWaitErrorDialogForm(QWidget* parent = nullptr);

    Ui::TWaitErrorDialogForm ui;
};
