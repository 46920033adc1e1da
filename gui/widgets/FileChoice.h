#pragma once
#include <QString>

class QWidget;

namespace qk {

// Asks for a file to write through a modal file dialog (shown with ShowModal, so tests answer it)
// named `objectName`. Returns the chosen path, or an empty text when the user cancelled.
QString ChooseFileToWrite(QWidget* parent, const QString& objectName, const QString& title,
                          const QString& filter);

}  // namespace qk
