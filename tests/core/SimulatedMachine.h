#pragma once
#include <chrono>
#include <cmath>
#include <cstdint>
#include <memory>
#include <random>

#include "link/Port.h"
#include "link/SclCalibration.h"

namespace qk::test {

// A PC of a chosen speed for the SCL calibration. Its clock advances only by what the calibration
// spends: each busy-loop iteration and each port write through Port() costs a fixed time, so a
// measured period is a function of the trial count n: t(n) = 2 n nsPerIteration + 3 nsPerPortWrite.
// Time is kept in picoseconds and the clock reads whole nanoseconds, as a real one does: with a
// whole number of nanoseconds per iteration every period is exact.
class SimulatedMachine {
    struct State {
        int64_t psPerIteration;
        int64_t nsPerPortWrite;
        int64_t elapsedPs = 0;
        // Interrupts: a busy loop is lengthened by interruptNs with probability 1/interruptEvery.
        int interruptEvery = 0;
        int64_t interruptNs = 0;
        std::minstd_rand random{12345};  // fixed seed: every run strikes the same loops
    };

  public:
    explicit SimulatedMachine(double nsPerIteration, int64_t nsPerPortWrite = 0)
        : state_(std::make_shared<State>(
              State{int64_t(std::llround(nsPerIteration * 1000.0)), nsPerPortWrite})) {}

    // From now on, about one busy loop in `every` is interrupted for `ns` nanoseconds.
    void Interrupt(int every, int64_t ns) {
        state_->interruptEvery = every;
        state_->interruptNs = ns;
    }

    SclTiming Timing() const {
        auto state = state_;
        return {[state] { return std::chrono::nanoseconds(state->elapsedPs / 1000); },
                [state](uint32_t n) {
                    state->elapsedPs += int64_t(n) * state->psPerIteration;
                    if (state->interruptEvery > 0 &&
                        state->random() % unsigned(state->interruptEvery) == 0)
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
