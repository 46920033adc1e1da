#include "app/WindowTour.h"

#include <QAbstractButton>
#include <QLineEdit>

#include "app/Forms.h"
#include "app/Okapimain.h"

namespace qk {

namespace {

constexpr const char* kEngineeringCode = "pelmak";
constexpr const char* kSecondGenerationPrefix = "QK330";

// Windows that hold chip logic only and are never shown.
const QStringList kNeverShown = {"QK310Form", "QK320Form", "QK330Form"};

void Click(const char* button) {
    OkapiForm->findChild<QAbstractButton*>(button)->click();
}

}  // namespace

void ReachChip(const TourSession& session) {
    Click("StartBitBtn");
    Click("HiddenButton");
    OkapiForm->findChild<QLineEdit*>("LoginEdit")->insert(kEngineeringCode);  // as if typed
    Click("LoginButton");
    if (*session.chipButton) Click(session.chipButton);
}

QList<QWidget*> TourWindows(const TourSession& session) {
    QList<QWidget*> windows;
    for (QWidget* window : SecondaryWindows()) {
        const QString name = window->objectName();
        if (!kNeverShown.contains(name) &&
            name.startsWith(kSecondGenerationPrefix) == session.secondGeneration)
            windows.append(window);
    }
    return windows;
}

}  // namespace qk
