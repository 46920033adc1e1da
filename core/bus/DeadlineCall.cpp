#include "core/bus/DeadlineCall.h"

#include <pthread.h>

#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <thread>

namespace qk {

namespace {

// SIGURG is ignored by default, so one that arrives outside the wait can never end the program.
constexpr int WakeSignal = SIGURG;
// A signal that reaches the helper before its call has begun to sleep is lost: it is sent again.
constexpr std::chrono::milliseconds ResendInterval{10};

// Only interrupts the call; does nothing, so it is async-signal-safe.
extern "C" void Interrupt(int) {}

// The handler installed for the life of the object, the previous one restored after.
class WakeHandler {
  public:
    WakeHandler() {
        struct sigaction wake {};
        wake.sa_handler = &Interrupt;
        sigemptyset(&wake.sa_mask);
        wake.sa_flags = 0;  // no SA_RESTART: the interrupted call returns EINTR
        sigaction(WakeSignal, &wake, &previous_);
    }
    ~WakeHandler() { sigaction(WakeSignal, &previous_, nullptr); }
    WakeHandler(const WakeHandler&) = delete;
    WakeHandler& operator=(const WakeHandler&) = delete;

  private:
    struct sigaction previous_ {};
};

// Starts `body` on a thread that only the wake signal reaches, so that no other signal of the
// process cuts the call short.
std::thread StartHelper(std::function<void()> body) {
    sigset_t all, caller;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &caller);
    std::thread helper([body = std::move(body)] {
        sigset_t wake;
        sigemptyset(&wake);
        sigaddset(&wake, WakeSignal);
        pthread_sigmask(SIG_UNBLOCK, &wake, nullptr);
        body();
    });
    pthread_sigmask(SIG_SETMASK, &caller, nullptr);
    return helper;
}

}  // namespace

DeadlineOutcome CallWithDeadline(const std::function<int()>& call,
                                 std::chrono::milliseconds deadline) {
    const WakeHandler handler;
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    DeadlineOutcome outcome;
    std::thread helper = StartHelper([&] {
        const int result = call();
        const int error = result < 0 ? errno : 0;
        {
            const std::lock_guard lock(mutex);
            outcome.result = result;
            outcome.error = error;
            done = true;
        }
        finished.notify_one();
    });
    {
        std::unique_lock lock(mutex);
        if (!finished.wait_for(lock, deadline, [&] { return done; })) {
            outcome.timedOut = true;
            // The helper is still inside the call while `done` is false, so it can be signalled.
            while (!done) {
                pthread_kill(helper.native_handle(), WakeSignal);
                finished.wait_for(lock, ResendInterval, [&] { return done; });
            }
        }
    }
    helper.join();
    // A call that succeeded just as the deadline passed is kept.
    if (outcome.result >= 0) outcome.timedOut = false;
    return outcome;
}

}  // namespace qk
