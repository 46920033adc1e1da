#include "gui/app/NoDeviceunit.h"

TNoDeviceDlgForm::TNoDeviceDlgForm(QWidget* parent) : QDialog(parent) {
    ui.setupUi(this);
    connect(ui.CloseButton, &QPushButton::clicked, this, &QDialog::accept);
}
