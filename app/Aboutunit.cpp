#include "app/Aboutunit.h"

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    ui.setupUi(this);
    setFixedSize(size());
}
