#include "gui/bus/AckErrorDialogunit.h"

#include "gui/widgets/Colors.h"

TACK_ErrorDialogForm::TACK_ErrorDialogForm(QWidget* parent) : QDialog(parent) {
    ui.setupUi(this);
    setFixedSize(size());
    qk::SetBackgroundColor(this, qk::clSilver);
    for (QLabel* label : {ui.ACK_ErrorLabel, ui.ACKErrorLabel2}) qk::SetTextColor(label, qk::clRed);
}
