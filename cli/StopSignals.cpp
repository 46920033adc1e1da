#include "cli/StopSignals.h"

#include <cerrno>
#include <csignal>
#include <ctime>

namespace qk::cli {

namespace {

volatile std::sig_atomic_t caught = 0;

extern "C" void NoteStopSignal(int signal) {
    if (!caught) caught = signal;
}

struct SignalName {
    int signal;
    const char* name;
};
constexpr SignalName kStopSignals[] = {
    {SIGINT, "SIGINT"}, {SIGTERM, "SIGTERM"}, {SIGHUP, "SIGHUP"}};

}  // namespace

void CatchStopSignals() {
    struct sigaction action {};
    action.sa_handler = &NoteStopSignal;
    sigemptyset(&action.sa_mask);
    // Reads, writes and ioctls go on after the handler; sleeps return early (EINTR).
    action.sa_flags = SA_RESTART;
    for (const SignalName& stop : kStopSignals) {
        struct sigaction previous {};
        sigaction(stop.signal, nullptr, &previous);
        // A signal ignored by whoever started the program (nohup) stays ignored.
        if (previous.sa_handler != SIG_IGN) sigaction(stop.signal, &action, nullptr);
    }
    // A reader that goes away (a closed pipe) is a failed write, told like a full disk.
    std::signal(SIGPIPE, SIG_IGN);
}

int StopSignal() {
    return caught;
}

void StopIfSignalled() {
    if (caught) throw Stopped{caught};
}

void SleepUnlessStopped(std::chrono::nanoseconds duration) {
    using namespace std::chrono;
    const seconds whole = duration_cast<seconds>(duration);
    timespec left{.tv_sec = static_cast<time_t>(whole.count()),
                  .tv_nsec = static_cast<long>((duration - whole).count())};
    StopIfSignalled();
    while (nanosleep(&left, &left) != 0 && errno == EINTR) StopIfSignalled();
}

const char* StopSignalName(int signal) {
    for (const SignalName& stop : kStopSignals)
        if (stop.signal == signal) return stop.name;
    return "a signal";
}

int StopExitCode(int signal) {
    return 128 + signal;
}

}  // namespace qk::cli
