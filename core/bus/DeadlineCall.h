#pragma once
#include <chrono>
#include <functional>

namespace qk {

// How a blocking system call ended when it was given a deadline.
struct DeadlineOutcome {
    int result = -1;        // what the call returned
    int error = 0;          // errno after it, when it failed
    bool timedOut = false;  // it had not succeeded by the deadline and was interrupted
};

// Runs `call` (one system call that may sleep, such as the parallel port's claim) on a helper
// thread. If it has not returned by `deadline`, a signal without SA_RESTART ends its sleep with
// EINTR. Returns once the call has returned; the helper thread and the signal's handler are gone
// by then.
DeadlineOutcome CallWithDeadline(const std::function<int()>& call,
                                 std::chrono::milliseconds deadline);

}  // namespace qk
