// qk3xx-screenshot: renders every window of both chip generations, as an engineer sees them on
// the virtual board after START and the engineering login (the first generation's main window
// after START alone), into a folder of PNG pictures (docs/images for the README and the user
// guide). Exits non-zero when a window cannot be drawn.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QRegularExpression>
#include <algorithm>
#include <iostream>

#include "board/BoardEvents.h"
#include "board/VirtualBoard.h"
#include "board/window/BoardWindow.h"
#include "core/cmdline/OptionTable.h"
#include "gui/app/Okapimain.h"
#include "gui/app/Program.h"
#include "gui/app/Snapshotunit.h"
#include "gui/app/WindowTour.h"
#include "gui/bus/StatusWatchunit.h"
#include "gui/qk330/QK330Regunit.h"
#include "gui/registry/Forms.h"

namespace {

constexpr const char* kProgramName = "qk3xx-screenshot";

struct NoOptions {};

std::string Help() {
    return qk::cmdline::Usage(
        kProgramName,
        "Draws every window of both chip generations on the virtual board into FOLDER, one PNG\n"
        "picture each (created if missing; pictures of the same names are replaced).",
        {},
        "Exit status: 0 when every picture is drawn, 1 when one cannot be drawn or saved, or\n"
        "without a graphical session (QT_QPA_PLATFORM=offscreen needs none), 2 for a mistake\n"
        "on the command line.\n",
        "FOLDER");
}

// The arguments split into options (with Qt's, and their values) and operands; "--" ends the
// options.
struct SplitArguments {
    std::vector<std::string> options;
    std::vector<std::string> operands;
};
SplitArguments Split(const std::vector<std::string>& arguments) {
    SplitArguments split;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--") {
            split.operands.insert(split.operands.end(), arguments.begin() + i + 1, arguments.end());
            break;
        }
        if (!argument.starts_with("-") || argument == "-") {
            split.operands.push_back(argument);
            continue;
        }
        const size_t length = std::max(1, qk::cmdline::ToolkitOptionLength(argument));
        for (size_t k = 0; k < length && i < arguments.size(); ++k)
            split.options.push_back(arguments[i++]);
        --i;
    }
    return split;
}

// The main window's pictures of a session: before START, with the login code typed, and with
// the chip chosen (after START alone when START chose it); empty for none.
struct MainPictures {
    const char* session;
    const char* start;
    const char* login;
    const char* main;
};
constexpr MainPictures kMainPictures[] = {
    {.session = "qk310", .start = "start", .login = "", .main = "main"},
    {.session = "qk330", .start = "", .login = "login", .main = "qk330-main"},
    {.session = "qk340", .start = "", .login = "", .main = "qk340-main"},
};
// The QK340 session pictures only the windows the QK340 changes, under names of their own.
const QHash<QString, QString> kQK340Pictures = {{"QK330RegForm", "qk340-registers"},
                                                {"QK330TestRegForm", "qk340-test-reg"}};
// Picture names that the README links to and that differ from the derived name.
const QHash<QString, QString> kPictureNames = {{"QK330RegForm", "qk330-registers"}};

// "QK330SixChBalanceForm" -> "qk330-six-ch-balance", "QK330PADC_DCOffsetForm" ->
// "qk330-padc-dc-offset", "I2CForm" -> "i2c". Empty for a window the session does not picture.
QString PictureName(const qk::TourSession& session, const QString& windowName) {
    if (session.name == QStringLiteral("qk340")) return kQK340Pictures.value(windowName);
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

void Click(QWidget* window, const char* button) {
    window->findChild<QAbstractButton*>(button)->click();
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
}

// The watch after a lost clock came, went, and was cleared by Zero: its lamps and timeline show it.
void WatchAFault(qk::board::VirtualBoard& board, qk::board::Chip chip) {
    Click(StatusWatchForm, "StartStopButton");
    qk::board::ApplyEvent(board, chip, "sclk-loss");
    StatusWatchForm->Poll();
    qk::board::ApplyEvent(board, chip, "clear-sclk");
    Click(StatusWatchForm, "ZeroButton");
    Click(StatusWatchForm, "StartStopButton");
}

bool Picture(const qk::TourSession& session, const QDir& folder) {
    qk::board::VirtualBoard board(session.chip);
    qk::Program program(board);
    program.Show();
    const MainPictures& main = *std::find_if(std::begin(kMainPictures), std::end(kMainPictures),
                                             [&session](const MainPictures& pictures) {
                                                 return session.name == QString(pictures.session);
                                             });
    const auto saveMain = [&](const char* name) { return !*name || Save(OkapiForm, folder, name); };

    bool drawn = saveMain(main.start);
    qk::ClickStart();
    // The main window as START alone leaves it, unless the chip is only reached by the login.
    const bool chosenByStart = !*session.chipButton;
    if (chosenByStart) drawn = saveMain(main.main) && drawn;
    qk::TypeEngineeringCode();
    drawn = saveMain(main.login) && drawn;
    qk::EnterLoginAndChooseChip(session);
    if (!chosenByStart) drawn = saveMain(main.main) && drawn;

    for (QWidget* window : qk::TourWindows(session)) {
        const QString name = PictureName(session, window->objectName());
        if (name.isEmpty()) continue;
        qk::OpenWindow(window);
        if (window == StatusWatchForm) WatchAFault(board, session.chip);
        drawn = Save(window, folder, name) && drawn;
        window->hide();
    }
    if (session.name == QStringLiteral("qk330")) {
        qk::board::BoardWindow boardWindow(board, session.chip);
        drawn = Save(&boardWindow, folder, "board") && drawn;
        drawn = PictureSnapshotCompare(folder) && drawn;
    }
    return drawn;
}

}  // namespace

int main(int argc, char** argv) {
    // The command line is read before Qt starts, so that --help and mistakes need no display.
    const SplitArguments split = Split({argv + 1, argv + argc});
    auto parsed = qk::cmdline::Parse<NoOptions>({}, split.options);
    if (parsed.outcome == qk::cmdline::Outcome::Run && split.operands.size() != 1) {
        parsed.outcome = qk::cmdline::Outcome::Error;
        parsed.error = split.operands.empty()
                           ? "needs the FOLDER to draw into"
                           : "takes one FOLDER, not " + std::to_string(split.operands.size());
    }
    if (const auto status = qk::cmdline::Conclude(parsed.outcome, parsed.error, kProgramName,
                                                  Help(), std::cout, std::cerr))
        return *status;
    if (const auto status =
            qk::cmdline::RequireGraphicalSession(kProgramName, parsed.platformChosen, std::cerr))
        return *status;
    QApplication app(argc, argv);
    qk::InitialiseApplication();
    const QDir folder(QString::fromLocal8Bit(split.operands.front().c_str()));
    if (!QDir().mkpath(folder.path())) {
        std::cerr << kProgramName << ": cannot create " << split.operands.front() << "\n";
        return 1;
    }
    bool drawn = true;
    for (const qk::TourSession& session : qk::kTourSessions)
        drawn = Picture(session, folder) && drawn;
    return drawn ? 0 : 1;
}
