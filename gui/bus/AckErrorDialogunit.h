#pragma once
#include <QDialog>

#include "ui_AckErrorDialogunit.h"

// "ACK Error!": shown once when the chip does not acknowledge, until the bus errors are reset.
class TACK_ErrorDialogForm : public QDialog {
    Q_OBJECT
  public:
    explicit TACK_ErrorDialogForm(QWidget* parent = nullptr);

    Ui::TACK_ErrorDialogForm ui;
};
