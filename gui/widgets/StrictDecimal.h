#pragma once
#include <QString>
#include <QWidget>

namespace qk {

// The toolkit's strict decimal conversion ("." whatever the locale). A text that is not a number
// shows "'TEXT' is not a valid floating point value" (dialog "ConversionErrorMessage") and gives
// false: the caller stops its operation.
bool StrictDecimal(QWidget* parent, const QString& text, double& value);

}  // namespace qk
