#include "gui/app/Aboutunit.h"

#include <QStyle>

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    ui.setupUi(this);
    ui.ProgramIcon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));
    connect(ui.OKButton, &QPushButton::clicked, this, &QDialog::accept);
}
