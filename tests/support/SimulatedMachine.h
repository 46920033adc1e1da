#pragma once
#include <chrono>
#include <cmath>
#include <cstdint>
#include <memory>
#include <random>

#include "core/bus/Port.h"
#include "core/bus/SclCalibration.h"

namespace qk::test {

// A PC of a chosen speed for the SCL calibration and the bus master. Its clock advances only by
// what they spend: each busy-loop iteration and each port write through TimedPort costs a fixed
// time (reading the clock costs nothing), so a measured period is a function of the trial count n:
// t(n) = 2 n nsPerIteration + 3 nsPerPortWrite. Time is kept in picoseconds and the clock reads
// whole nanoseconds, as a real one does: with a whole number of nanoseconds per iteration every
// period is exact.
class SimulatedMachine {
    struct State {
        int64_t psPerIteration;
        int64_t nsPerPortWrite;
        int64_t elapsedPs = 0;
        // Interrupts: on average one in every interruptEveryNs of busy loop, for interruptNs.
        int64_t interruptEveryNs = 0;
        int64_t interruptNs = 0;
        std::minstd_rand random{12345};  // fixed seed: every run strikes the same loops
    };

  public:
    explicit SimulatedMachine(double nsPerIteration, int64_t nsPerPortWrite = 0)
        : state_(std::make_shared<State>(
              State{int64_t(std::llround(nsPerIteration * 1000.0)), nsPerPortWrite})) {}

    // From now on, on average one interrupt of `ns` nanoseconds strikes every `everyNs` of busy
    // loop: a loop of that length is interrupted about once.
    void Interrupt(int64_t everyNs, int64_t ns) {
        state_->interruptEveryNs = everyNs;
        state_->interruptNs = ns;
    }
    // From now on the busy loop runs at this speed (the machine grew faster or slower).
    void SetNsPerIteration(double nsPerIteration) {
        state_->psPerIteration = int64_t(std::llround(nsPerIteration * 1000.0));
    }
    // Time passes on the machine (a port access, say).
    void Spend(int64_t ns) const { state_->elapsedPs += ns * 1000; }
    std::chrono::nanoseconds Now() const {
        return std::chrono::nanoseconds(state_->elapsedPs / 1000);
    }

    SclTiming Timing() const {
        auto state = state_;
        return {[state] { return std::chrono::nanoseconds(state->elapsedPs / 1000); },
                [state](uint32_t n) {
                    const int64_t spinPs = int64_t(n) * state->psPerIteration;
                    state->elapsedPs += spinPs;
                    if (state->interruptEveryNs > 0 &&
                        double(state->random() - 1) / double(std::minstd_rand::max()) <
                            double(spinPs) / double(state->interruptEveryNs * 1000))
                        state->elapsedPs += state->interruptNs * 1000;
                }};
    }

    // Passes every access on to `inner`, charging the time of a port write.
    class TimedPort : public PortIo {
      public:
        TimedPort(PortIo& inner, const SimulatedMachine& machine)
            : inner_(inner), state_(machine.state_) {}
        uint8_t PortRead(int port) override { return inner_.PortRead(port); }
        void PortWrite(int port, uint8_t value) override {
            state_->elapsedPs += state_->nsPerPortWrite * 1000;
            inner_.PortWrite(port, value);
        }

      private:
        PortIo& inner_;
        std::shared_ptr<State> state_;
    };

    // A clock that never advances (a machine without a usable counter); the loop still spins.
    static SclTiming StuckClock() {
        return {[] { return std::chrono::nanoseconds(123456789); }, [](uint32_t) {}};
    }

  private:
    std::shared_ptr<State> state_;
};

}  // namespace qk::test
