#pragma once
#include <chrono>
#include <cstdint>
#include <memory>

#include "link/Port.h"
#include "link/SclCalibration.h"

namespace qk::test {

// A PC of a chosen speed for the SCL calibration. Its clock advances only by what the calibration
// spends: each busy-loop iteration and each port write through Port() costs a fixed number of
// nanoseconds, so a measured period is an exact function of the trial count n:
// t(n) = 2 n nsPerIteration + 3 nsPerPortWrite.
class SimulatedMachine {
    struct State {
        int64_t nsPerIteration;
        int64_t nsPerPortWrite;
        int64_t elapsedNs = 0;
    };

  public:
    explicit SimulatedMachine(int64_t nsPerIteration, int64_t nsPerPortWrite = 0)
        : state_(std::make_shared<State>(State{nsPerIteration, nsPerPortWrite})) {}

    SclTiming Timing() const {
        auto state = state_;
        return {[state] { return std::chrono::nanoseconds(state->elapsedNs); },
                [state](uint32_t n) { state->elapsedNs += int64_t(n) * state->nsPerIteration; }};
    }

    // Passes every access on to `inner`, charging the time of a port write.
    class TimedPort : public PortIo {
      public:
        TimedPort(PortIo& inner, const SimulatedMachine& machine)
            : inner_(inner), state_(machine.state_) {}
        uint8_t PortRead(int port) override { return inner_.PortRead(port); }
        void PortWrite(int port, uint8_t value) override {
            state_->elapsedNs += state_->nsPerPortWrite;
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
