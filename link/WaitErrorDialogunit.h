#pragma once
#include <QDialog>

#include "ui_WaitErrorDialogunit.h"

// "Wait Error!"
class TWaitErrorDialogForm : public QDialog {
    Q_OBJECT
  public:
    explicit TWaitErrorDialogForm(QWidget* parent = nullptr);

    Ui::TWaitErrorDialogForm ui;
};
