#include "gui/widgets/StrictDecimal.h"

#include <QLocale>
#include <QMessageBox>

#include "gui/widgets/ModalDialogs.h"

namespace qk {

bool StrictDecimal(QWidget* parent, const QString& text, double& value) {
    bool ok = false;
    const double number = QLocale::c().toDouble(text, &ok);
    if (ok) {
        value = number;
        return true;
    }
    QMessageBox message(QMessageBox::Critical, "Error",
                        QString("'%1' is not a valid floating point value").arg(text),
                        QMessageBox::Ok, parent);
    message.setObjectName("ConversionErrorMessage");
    ShowModal(message);
    return false;
}

}  // namespace qk
