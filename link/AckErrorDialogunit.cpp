#include "link/AckErrorDialogunit.h"

TACK_ErrorDialogForm::TACK_ErrorDialogForm(QWidget* parent) : QDialog(parent) {
    ui.setupUi(this);
    setFixedSize(size());
}
