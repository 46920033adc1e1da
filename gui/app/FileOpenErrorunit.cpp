#include "gui/app/FileOpenErrorunit.h"

TFileOpenErrorDlgForm::TFileOpenErrorDlgForm(QWidget* parent) : QDialog(parent) {
    ui.setupUi(this);
    connect(ui.OKBtn, &QPushButton::clicked, this, &QDialog::accept);
}
