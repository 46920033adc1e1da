#include "app/NoDeviceunit.h"

TNoDeviceDlgForm::TNoDeviceDlgForm(QWidget* parent) : QDialog(parent) {
    ui.setupUi(this);
    setFixedSize(size());
}
