// The bus master's timing on a simulated machine: every phase keeps the standard mode's minimum,
// whatever a port access costs and however that changes, and the calibration tells the rate the
// wire gets.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "board/WirePhases.h"
#include "core/bus/SclCalibration.h"
#include "tests/support/BusTestSupport.h"
#include "tests/support/SimulatedMachine.h"

namespace qk::test {
namespace {

using board::LineSample;
using board::WirePhases;

// The board behind a port whose accesses take time on the machine, each as long as `cost` says
// for its number (counted from the last Restart). The lines change in the middle of an access;
// every access after which they differ is recorded with when it was called and returned, and
// every write with when it was called.
class CostlyPort : public PortIo {
  public:
    using Cost = std::function<int64_t(int access)>;

    CostlyPort(board::VirtualBoard& board, const SimulatedMachine& machine)
        : board_(board), machine_(machine) {}

    void Restart(Cost cost) {
        cost_ = std::move(cost);
        accesses_ = 0;
        samples.clear();
        writeCalls.clear();
    }
    uint8_t PortRead(int port) override {
        return Access([&] { return board_.PortRead(port); });
    }
    void PortWrite(int port, uint8_t value) override {
        writeCalls.push_back(machine_.Now());
        Access([&] {
            board_.PortWrite(port, value);
            return uint8_t(0);
        });
    }

    std::vector<LineSample> samples;
    std::vector<std::chrono::nanoseconds> writeCalls;

  private:
    template <typename Body>
    uint8_t Access(Body body) {
        const int64_t cost = cost_(accesses_++);
        const std::chrono::nanoseconds called = machine_.Now();
        machine_.Spend(cost / 2);
        const uint8_t value = body();
        machine_.Spend(cost - cost / 2);
        const bool scl = board_.SclLine(), sda = board_.SdaLine();
        if (scl != scl_ || sda != sda_) samples.push_back({called, machine_.Now(), scl, sda});
        scl_ = scl;
        sda_ = sda;
        return value;
    }

    board::VirtualBoard& board_;
    SimulatedMachine machine_;
    Cost cost_ = [](int) { return int64_t(0); };
    int accesses_ = 0;
    bool scl_ = true, sda_ = true;
};

CostlyPort::Cost Constant(int64_t ns) {
    return [ns](int) { return ns; };
}

// A register write, a two-byte read and a probe, as the program sends them.
void SendFrames(I2cBus& bus) {
    const uint8_t bytes[] = {0x13, 0xC9};
    bus.I2cWrite(0x34, bytes, 2);
    uint8_t read[2] = {};
    bus.I2cRead(0x34, 0x13, read, 2);
    ASSERT_TRUE(bus.I2cProbe(0x34, 0x00, nullptr, 0));
}

struct Rig {
    explicit Rig(double nsPerIteration) : machine(nsPerIteration), port(board, machine) {}
    board::VirtualBoard board;
    SimulatedMachine machine;
    CostlyPort port;
    BusOn bus{port, machine.Timing()};
};

struct CostCase {
    const char* name;
    int64_t calibrationNs;  // the access cost while calibrating; no calibration when negative
    int64_t fastNs, slowNs;
    double fasterLoop;  // the busy loop runs this many times faster after the calibration
    int stretchPolls;   // the chip holds SCL low this many polls after each release
};

void PrintTo(const CostCase& c, std::ostream* out) {
    *out << c.name;
}

class EveryPhase : public ::testing::TestWithParam<CostCase> {};

TEST_P(EveryPhase, KeepsItsMinimumWhenAnAccessCostChangesInTheMiddleOfAFrame) {
    const CostCase& c = GetParam();
    constexpr double NsPerIteration = 4.0;
    Rig rig(NsPerIteration);
    if (c.calibrationNs >= 0) {
        rig.port.Restart(Constant(c.calibrationNs));
        ASSERT_TRUE(SclCalibration(rig.bus.bus).CalibrateScl(10.0).ok);
    }
    rig.machine.SetNsPerIteration(NsPerIteration / c.fasterLoop);
    rig.board.SetFault(board::Fault::ClockStretch, c.stretchPolls);
    // Fast through the register write's START and address, slow through its two data bytes, fast
    // again from its STOP on.
    rig.port.Restart(
        [&c](int access) { return access >= 40 && access < 120 ? c.slowNs : c.fastNs; });
    SendFrames(rig.bus.bus);
    ASSERT_EQ(rig.board.FrameTexts(),
              (std::vector<std::string>{"34 13 C9", "34 13", "35 C9 00", "34 00"}));

    WirePhases phases;
    phases.Add(rig.port.samples);
    for (int phase = 0; phase < WirePhases::Count; ++phase) {
        const WirePhases::Limit& limit = WirePhases::Limits[phase];
        SCOPED_TRACE(limit.name);
        EXPECT_FALSE(phases.Lengths(WirePhases::Phase(phase)).empty());
        EXPECT_EQ(phases.BelowMinimum(WirePhases::Phase(phase)), 0)
            << "shortest " << phases.Shortest(WirePhases::Phase(phase)) << " us";
    }
}

INSTANTIATE_TEST_SUITE_P(Costs, EveryPhase,
                         ::testing::Values(CostCase{"Uncalibrated", -1, 0, 1000, 1.0, 0},
                                           CostCase{"CalibratedFast", 50, 50, 2000, 1.0, 0},
                                           CostCase{"CalibratedSlow", 2000, 50, 2000, 1.0, 0},
                                           CostCase{"LongerThanAPhase", 50, 50, 6000, 1.0, 0},
                                           CostCase{"LoopGrewFaster", 1000, 0, 1000, 3.0, 0},
                                           CostCase{"ChipStretchesTheClock", 50, 50, 1000, 1.0,
                                                    25}),
                         [](const auto& instance) { return instance.param.name; });

struct RateCase {
    const char* name;
    int64_t accessNs;
    double fasterLoop;
};

void PrintTo(const RateCase& c, std::ostream* out) {
    *out << c.name;
}

class CalibrationText : public ::testing::TestWithParam<RateCase> {};

TEST_P(CalibrationText, TellsTheRateOfTheClockOnTheWire) {
    const RateCase& c = GetParam();
    constexpr double NsPerIteration = 4.0;
    Rig rig(NsPerIteration);
    rig.port.Restart(Constant(c.accessNs));
    const SclCalibrationResult result = SclCalibration(rig.bus.bus).CalibrateScl(10.0);
    ASSERT_TRUE(result.ok);
    const std::string text = result.Text();
    const double shownKHz = std::stod(text.substr(text.find(" SCL") + 4));

    rig.machine.SetNsPerIteration(NsPerIteration / c.fasterLoop);
    rig.port.Restart(Constant(c.accessNs));
    for (int frame = 0; frame < 10; ++frame) SendFrames(rig.bus.bus);
    WirePhases phases;
    phases.Add(rig.port.samples);
    EXPECT_NEAR(shownKHz, phases.MedianKHz(), 0.05 * phases.MedianKHz()) << text;
    EXPECT_LE(phases.MedianKHz(), 100.0);
}

INSTANTIATE_TEST_SUITE_P(Costs, CalibrationText,
                         ::testing::Values(RateCase{"FreeAccess", 0, 1.0},
                                           RateCase{"HalfMicrosecond", 500, 1.0},
                                           RateCase{"Microsecond", 1000, 1.0},
                                           RateCase{"LoopGrewFaster", 1000, 2.0}),
                         [](const auto& instance) { return instance.param.name; });

TEST(Counts, PaceEveryDelayOfAFrameInItsOrder) {
    Rig rig(4.0);
    rig.bus.bus.HalfPeriodCount = 100;
    rig.bus.bus.QuarterPeriodCount = 50;
    rig.bus.bus.NanosecondsPerCount = 400.0;  // 40 and 20 us: far above every minimum
    rig.bus.bus.I2cWrite(0x34, nullptr, 0);
    const std::vector<std::chrono::nanoseconds>& calls = rig.port.writeCalls;

    // START: Q H H. The address byte: Q with SCL lowered, then per bit Q H Q; the acknowledge
    // clock's Q, and H from its rising edge, the polls included. STOP: Q Q (SCL, then SDA
    // lowered), H.
    constexpr double Q = 20.0, H = 40.0;
    std::vector<double> expected = {Q, H, H, Q};
    for (int bit = 0; bit < 8; ++bit) expected.insert(expected.end(), {Q, H, Q});
    expected.insert(expected.end(), {Q, H, Q, Q, H});
    ASSERT_EQ(calls.size(), expected.size() + 1);
    for (size_t i = 0; i < expected.size(); ++i) {
        const double gapUs =
            std::chrono::duration<double, std::micro>(calls[i + 1] - calls[i]).count();
        EXPECT_NEAR(gapUs, expected[i], 0.01) << "between writes " << i << " and " << i + 1;
    }
}

}  // namespace
}  // namespace qk::test
