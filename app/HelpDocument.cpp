#include "app/HelpDocument.h"

#include <QApplication>
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

}  // namespace

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
