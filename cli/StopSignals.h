#pragma once
#include <chrono>

namespace qk::cli {

// SIGINT, SIGTERM and SIGHUP end qk3xx-cli between two frames, never in the middle of one: the
// handler only notes the signal, and the run stops at the next frame's end or during a delay,
// with the --state file saved and the log closed. Without CatchStopSignals (a test calling
// RunCli) a signal does what it always does.
void CatchStopSignals();

// The stop signal caught, or 0.
int StopSignal();

// What unwinds a run that a signal stopped, up to RunCli.
struct Stopped {
    int signal;
};

// Throws Stopped when a stop signal has come.
void StopIfSignalled();
// Waits `duration`, cut short by a stop signal (Stopped thrown).
void SleepUnlessStopped(std::chrono::nanoseconds duration);

// "SIGTERM"; the exit code of a run it stopped (128 + the signal, as a shell reports it).
const char* StopSignalName(int signal);
int StopExitCode(int signal);

}  // namespace qk::cli
