#include "link/WaitErrorDialogunit.h"

TWaitErrorDialogForm::TWaitErrorDialogForm(QWidget* parent) : QDialog(parent) {
    ui.setupUi(this);
    setFixedSize(size());
}
