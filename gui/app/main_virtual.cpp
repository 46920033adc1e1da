// qk3xx-virtual: the tool on the virtual evaluation board. The command line chooses the board's
// chip, address and fault (--help lists them).
#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <iostream>
#include <string>
#include <vector>

#include "board/BoardOptions.h"
#include "board/VcdTrace.h"
#include "board/window/BoardWindow.h"
#include "gui/app/Okapimain.h"
#include "gui/app/Program.h"
#include "gui/bus/StatusWatchunit.h"
#include "gui/registry/Forms.h"

namespace {

constexpr const char* kProgramName = "qk3xx-virtual";
constexpr int kWindowCount = 41;

// Start-up benchmark hook (bench/StartupBench.cpp), not a user option: with the environment
// variable QK3XX_EXIT_WHEN_SHOWN set, the program quits as soon as the main window has been shown,
// with status 0 when all 41 windows exist and 3 otherwise.
void ExitWhenShownIfAsked(QApplication& app) {
    if (!qEnvironmentVariableIsSet("QK3XX_EXIT_WHEN_SHOWN")) return;
    QTimer::singleShot(0, &app, [] {
        const bool complete = OkapiForm && OkapiForm->isVisible() &&
                              qk::SecondaryWindows().size() + 1 == kWindowCount;
        QApplication::exit(complete ? 0 : 3);
    });
}

// Install test hook (tests/install/check-install.sh), not a user option: with the environment
// variable QK3XX_PRESS_HELP_WHEN_SHOWN set, the program presses HELP once the main window has been
// shown and quits after it, with status 0 when the viewer opened the document and 4 when the
// "Read Error!" dialog came up instead (the check runs inside that dialog's own event loop).
void PressHelpWhenShownIfAsked(QApplication& app) {
    if (!qEnvironmentVariableIsSet("QK3XX_PRESS_HELP_WHEN_SHOWN")) return;
    QTimer::singleShot(0, &app,
                       [] { OkapiForm->findChild<QAbstractButton*>("HelpBitBtn")->click(); });
    QTimer::singleShot(0, &app,
                       [] { QApplication::exit(QApplication::activeModalWidget() ? 4 : 0); });
}

}  // namespace

int main(int argc, char** argv) {
    // The options are read before Qt starts, so that --help and mistakes need no display.
    const qk::board::ParsedOptions parsed =
        qk::board::ParseBoardOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (const auto status =
            qk::cmdline::Conclude(parsed.outcome, parsed.error, kProgramName,
                                  qk::board::BoardOptionsHelp(kProgramName), std::cout, std::cerr))
        return *status;

    qk::board::VirtualBoard board = qk::board::MakeBoard(parsed.options);
    // The trace file is opened before Qt starts, so that a bad path is told without a display too.
    qk::board::VcdTrace trace;
    if (!parsed.options.tracePath.empty()) {
        if (!trace.Open(parsed.options.tracePath, board.SclLine(), board.SdaLine())) {
            std::cerr << kProgramName << ": " << trace.Error() << "\n";
            return qk::cmdline::ExitUsage;
        }
        trace.onWriteError = [](const std::string& why) {
            std::cerr << kProgramName << ": " << why << "\n";
        };
        board.SetLineObserver(&trace);
    }

    if (const auto status =
            qk::cmdline::RequireGraphicalSession(kProgramName, parsed.platformChosen, std::cerr))
        return *status;

    QApplication app(argc, argv);
    qk::InitialiseApplication();
    qk::Program program(board);
    program.Show();
    qk::board::BoardWindow boardWindow(board, parsed.options.chip);
    boardWindow.show();
    // "+" times of --events count from the Status Watch's first poll: when the user watches.
    QObject::connect(StatusWatchForm, &TStatusWatchForm::Polled, &boardWindow,
                     &qk::board::BoardWindow::WatchPolled);
    boardWindow.Schedule(parsed.options.events);
    ExitWhenShownIfAsked(app);
    PressHelpWhenShownIfAsked(app);
    return app.exec();
}
