#include "link/Gpiounit.h"

TGPIOForm::TGPIOForm(QWidget* parent) : QWidget(parent) {
    ui.setupUi(this);
    setFixedSize(size());
}
