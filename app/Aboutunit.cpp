#include "app/Aboutunit.h"

#include <QStyle>

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    ui.setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    ui.ProgramIcon->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(48, 48));
    connect(ui.OKButton, &QPushButton::clicked, this, &QDialog::accept);
}
