#include "gui/app/WindowTour.h"

#include <QAbstractButton>
#include <QLineEdit>

#include "gui/app/Okapimain.h"
#include "gui/registry/Forms.h"

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

void ClickStart() {
    Click("StartBitBtn");
}

void TypeEngineeringCode() {
    Click("HiddenButton");
    OkapiForm->findChild<QLineEdit*>("LoginEdit")->insert(kEngineeringCode);  // as if typed
}

void EnterLoginAndChooseChip(const TourSession& session) {
    Click("LoginButton");
    if (*session.chipButton) Click(session.chipButton);
}

void ReachChip(const TourSession& session) {
    ClickStart();
    TypeEngineeringCode();
    EnterLoginAndChooseChip(session);
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
