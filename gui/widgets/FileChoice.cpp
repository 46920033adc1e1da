#include "gui/widgets/FileChoice.h"

#include <QDir>
#include <QFileDialog>

#include "gui/widgets/ModalDialogs.h"

namespace qk {

QString ChooseFileToWrite(QWidget* parent, const QString& objectName, const QString& title,
                          const QString& filter) {
    QFileDialog dialog(parent, title, QDir::currentPath(), filter);
    dialog.setObjectName(objectName);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    ShowModal(dialog);
    if (dialog.result() != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

}  // namespace qk
