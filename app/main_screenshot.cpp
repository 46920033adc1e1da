// qk3xx-screenshot: renders every window of both chip generations, as an engineer sees them on
// the virtual board after START and the engineering login (the first generation's main window
// after START alone), into a folder of PNG pictures (docs/images for the README and the user
// guide). Exits non-zero when a window cannot be drawn.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPixmap>
#include <QRegularExpression>
#include <iostream>

#include "app/Forms.h"
#include "app/Okapimain.h"
#include "app/Program.h"
#include "app/Snapshotunit.h"
#include "qk330/QK330Regunit.h"
#include "board/BoardEvents.h"
#include "board/BoardWindow.h"
#include "board/VirtualBoard.h"
#include "link/StatusWatchunit.h"

namespace {

constexpr const char* kEngineeringCode = "pelmak";
constexpr const char* kSecondGenerationPrefix = "QK330";

// One run of the program on a virtual board, and the windows it pictures.
struct Session {
    qk::board::Chip chip;
    const char* chipButton;    // chosen after START; empty when START chose the chip itself
    const char* startPicture;  // the main window before START; empty for none
    const char* loginPicture;  // the login with the code typed, before Enter; empty for none
    const char* mainPicture;
    bool secondGeneration;  // pictures the QK330 windows, else all the others
};

constexpr Session kSessions[] = {
    {.chip = qk::board::Chip::QK310,
     .chipButton = "",
     .startPicture = "start",
     .loginPicture = "",
     .mainPicture = "main",
     .secondGeneration = false},
    {.chip = qk::board::Chip::QK330,
     .chipButton = "QK330RadioButton",
     .startPicture = "",
     .loginPicture = "login",
     .mainPicture = "qk330-main",
     .secondGeneration = true},
};

// Windows that hold chip logic only and are never shown.
const QStringList kNeverShown = {"QK310Form", "QK320Form", "QK330Form"};

// Picture names that the README links to and that differ from the derived name.
const QHash<QString, QString> kPictureNames = {{"QK330RegForm", "qk330-registers"}};

void Click(QWidget* window, const char* button) {
    window->findChild<QAbstractButton*>(button)->click();
}

// "QK330SixChBalanceForm" -> "qk330-six-ch-balance", "QK330PADC_DCOffsetForm" ->
// "qk330-padc-dc-offset", "I2CForm" -> "i2c".
QString PictureName(const QString& windowName) {
    if (kPictureNames.contains(windowName)) return kPictureNames.value(windowName);
    QString name = windowName;
    name.remove(QRegularExpression("Form$"));
    for (const char* wordStart :
         {"([a-z])([A-Z])", "([0-9])([A-Z][A-Za-z])", "([A-Z])([A-Z][a-z])"})
        name.replace(QRegularExpression(wordStart), "\\1-\\2");
    return name.replace('_', '-').toLower();
}

bool Save(QWidget* window, const QDir& folder, const QString& name) {
    QApplication::processEvents();
    const QPixmap picture = window->grab();
    const QString path = folder.filePath(name + ".png");
    if (picture.isNull() || !picture.save(path)) {
        std::cerr << "qk3xx-screenshot: cannot draw " << path.toStdString() << "\n";
        return false;
    }
    std::cout << path.toStdString() << "\n";
    return true;
}

// The Snapshot window comparing a saved file with the chip changed since (Sys Control 1 and a
// channel's mute), as the user guide shows it.
bool PictureSnapshotCompare(const QDir& folder) {
    const QString file = QDir::temp().filePath("qk3xx-snapshot-example.txt");
    SnapshotForm->SetFileChooser([file](TSnapshotForm::FileUse, const QString&) { return file; });
    qk::OpenWindow(SnapshotForm);
    Click(SnapshotForm, "SaveButton");
    for (const char* box : {"CheckBox03_6", "CheckBox11_2"}) Click(QK330RegForm, box);
    Click(QK330RegForm, "Reg03SendButton");
    Click(QK330RegForm, "Reg11Button");
    Click(SnapshotForm, "CompareButton");
    const bool drawn = Save(SnapshotForm, folder, "snapshot-compare");
    SnapshotForm->hide();
    QFile::remove(file);
    return drawn;
// The watch after a lost clock came, went, and was cleared by Zero: its lamps and timeline show it.
void WatchAFault(qk::board::VirtualBoard& board, qk::board::Chip chip) {
    Click(StatusWatchForm, "StartStopButton");
    qk::board::ApplyEvent(board, chip, "sclk-loss");
    StatusWatchForm->Poll();
    qk::board::ApplyEvent(board, chip, "clear-sclk");
    Click(StatusWatchForm, "ZeroButton");
    Click(StatusWatchForm, "StartStopButton");
}

bool Picture(const Session& session, const QDir& folder) {
    qk::board::VirtualBoard board(session.chip);
    qk::Program program(board);
    program.Show();
    bool drawn = !*session.startPicture || Save(OkapiForm, folder, session.startPicture);
    Click(OkapiForm, "StartBitBtn");
    // The main window as START alone leaves it, unless the chip is only reached by the login.
    const bool chosenByStart = !*session.chipButton;
    if (chosenByStart) drawn = Save(OkapiForm, folder, session.mainPicture) && drawn;
    Click(OkapiForm, "HiddenButton");
    OkapiForm->findChild<QLineEdit*>("LoginEdit")->insert(kEngineeringCode);  // as if typed
    if (*session.loginPicture) drawn = Save(OkapiForm, folder, session.loginPicture) && drawn;
    Click(OkapiForm, "LoginButton");
    if (!chosenByStart) {
        Click(OkapiForm, session.chipButton);
        drawn = Save(OkapiForm, folder, session.mainPicture) && drawn;
    }

    for (QWidget* window : qk::SecondaryWindows()) {
        const QString name = window->objectName();
        if (kNeverShown.contains(name) ||
            name.startsWith(kSecondGenerationPrefix) != session.secondGeneration)
            continue;
        qk::OpenWindow(window);
        if (window == StatusWatchForm) WatchAFault(board, session.chip);
        drawn = Save(window, folder, PictureName(name)) && drawn;
        window->hide();
    }
    if (session.secondGeneration) {
        qk::board::BoardWindow boardWindow(board, session.chip);
        drawn = Save(&boardWindow, folder, "board") && drawn;
        drawn = PictureSnapshotCompare(folder) && drawn;
    }
    return drawn;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: qk3xx-screenshot FOLDER\n";
        return 2;
    }
    QApplication app(argc, argv);
    qk::InitialiseApplication();
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(folder.path())) {
        std::cerr << "qk3xx-screenshot: cannot create " << argv[1] << "\n";
        return 1;
    }
    bool drawn = true;
    for (const Session& session : kSessions) drawn = Picture(session, folder) && drawn;
    return drawn ? 0 : 1;
}
