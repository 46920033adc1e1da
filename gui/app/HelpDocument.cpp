#include "gui/app/HelpDocument.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QWidget>
#include <utility>

namespace qk {

namespace {

QString& HelpViewer() {
    static QString program = "xdg-open";
    return program;
}

QString& InstalledDirectoryOverride() {
    static QString directory;
    return directory;
}

QString& ProgramDirectoryOverride() {
    static QString directory;
    return directory;
}

}  // namespace

QString InstalledHelpDirectory() {
    if (!InstalledDirectoryOverride().isEmpty()) return InstalledDirectoryOverride();
    // The build states where share/qk3xx lies relative to bin/.
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + "/" + QK3XX_BIN_TO_DOC_DIR);
}

QString SetInstalledHelpDirectory(QString directory) {
    return std::exchange(InstalledDirectoryOverride(), std::move(directory));
}

QString ProgramHelpDirectory() {
    if (!ProgramDirectoryOverride().isEmpty()) return ProgramDirectoryOverride();
    return QCoreApplication::applicationDirPath();
}

QString SetProgramHelpDirectory(QString directory) {
    return std::exchange(ProgramDirectoryOverride(), std::move(directory));
}

// The error text tells the user to put the document where the program resides: look there first.
QString HelpDocumentPath(const QString& startDirectory) {
    const QString besideProgram = ProgramHelpDirectory() + "/" + HelpDocumentName;
    for (const QString& directory :
         {ProgramHelpDirectory(), startDirectory, InstalledHelpDirectory()}) {
        const QString path = directory + "/" + HelpDocumentName;
        if (QFileInfo(path).isFile()) return path;
    }
    return besideProgram;
}

QString SetHelpViewer(QString program) {
    return std::exchange(HelpViewer(), std::move(program));
}

// The viewer gets the path as its one argument: no shell, so no quoting.
bool OpenHelpDocument(const QString& path) {
    if (!QFileInfo(path).isFile()) return false;
    QProcess viewer;
    viewer.setProgram(HelpViewer());
    viewer.setArguments({path});
    viewer.setStandardInputFile(QProcess::nullDevice());
    viewer.setProcessChannelMode(QProcess::ForwardedChannels);
    viewer.start();
    if (!viewer.waitForStarted(-1)) return false;

    QList<QWidget*> minimised;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || window->isMinimized()) continue;
        window->setWindowState(window->windowState() | Qt::WindowMinimized);
        minimised.append(window);
    }
    viewer.waitForFinished(-1);
    for (QWidget* window : minimised)
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    return viewer.exitStatus() == QProcess::NormalExit && viewer.exitCode() == 0;
}

}  // namespace qk
