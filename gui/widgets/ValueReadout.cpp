#include "gui/widgets/ValueReadout.h"

#include <QLabel>

#include "core/chips/InvalidCode.h"

namespace qk {

void ShowValueText(QLabel* readout, const std::string& text) {
    const bool invalid = IsInvalidCodeText(text);
    readout->setText(invalid ? QString(InvalidCodeReadout) : QString::fromStdString(text));
    readout->setToolTip(invalid ? QString::fromStdString(text) : QString());
}

}  // namespace qk
