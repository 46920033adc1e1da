#include "gui/bus/WaitErrorDialogunit.h"

#include "gui/widgets/Colors.h"

TWaitErrorDialogForm::TWaitErrorDialogForm(QWidget* parent) : QDialog(parent) {
    ui.setupUi(this);
    setFixedSize(size());
    qk::SetBackgroundColor(this, qk::clSilver);
    for (QLabel* label : {ui.WaitErrorLabel, ui.WaitErrorLabel2})
        qk::SetTextColor(label, qk::clRed);
}
