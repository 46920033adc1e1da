#include "core/bus/SclCalibration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/BusTestSupport.h"
#include "tests/support/SimulatedMachine.h"

namespace qk::test {
namespace {

using Events = std::vector<std::string>;

// Writes down every port access, clock read and spin in the order they happen.
struct EventPort : PortIo {
    std::shared_ptr<Events> events = std::make_shared<Events>();
    uint8_t PortRead(int port) override {
        events->push_back("read " + std::to_string(port));
        return 0;
    }
    void PortWrite(int port, uint8_t value) override {
        events->push_back("write " + std::to_string(port) + " " + std::to_string(value));
    }
    SclTiming Timing(int64_t nsPerClockRead) {
        auto log = events;
        auto clock = std::make_shared<int64_t>(0);
        return {[log, clock, nsPerClockRead] {
                    log->push_back("clock");
                    *clock += nsPerClockRead;
                    return std::chrono::nanoseconds(*clock);
                },
                [log](uint32_t n) { log->push_back("spin " + std::to_string(n)); }};
    }
};

// Calibrates the bus master on `port` with the machine's timing.
SclCalibrationResult Calibrate(PortIo& port, SclTiming timing, double targetUs) {
    BusOn bus(port, std::move(timing));
    return SclCalibration(bus.bus).CalibrateScl(targetUs);
}

TEST(MeasureSclPeriod, TimesThreeControlWritesAndTwoSpins) {
    EventPort port;
    BusOn bus(port, port.Timing(2500));
    SclCalibration calibration(bus.bus);
    const double t = calibration.MeasureSclPeriod(37);
    EXPECT_EQ(*port.events, (Events{"clock", "write 890 1", "spin 37", "write 890 3", "spin 37",
                                    "write 890 1", "clock"}));
    EXPECT_DOUBLE_EQ(t, 2.5);  // one clock step of 2500 ns between the two reads
}

TEST(MeasureSclPeriod, IsTwoSpinsAndThreeWritesOfTheMachine) {
    board::VirtualBoard board;
    SimulatedMachine machine(4, 100);
    SimulatedMachine::TimedPort port(board, machine);
    BusOn bus(port, machine.Timing());
    SclCalibration calibration(bus.bus);
    EXPECT_DOUBLE_EQ(calibration.MeasureSclPeriod(1000), 8.3);  // 2 x 1000 x 4 ns + 3 x 100 ns
    EXPECT_DOUBLE_EQ(calibration.MeasureSclPeriod(12), 0.396);
}

struct MachineCase {
    const char* name;
    int64_t nsPerIteration;
    int64_t nsPerPortWrite;
    double targetUs;
    uint32_t half;
    uint32_t quarter;
    const char* text;
};

class CalibrateOnMachine : public ::testing::TestWithParam<MachineCase> {};

TEST_P(CalibrateOnMachine, FindsTheCountOfOneTargetPeriod) {
    const MachineCase& c = GetParam();
    board::VirtualBoard board;
    SimulatedMachine machine(c.nsPerIteration, c.nsPerPortWrite);
    SimulatedMachine::TimedPort port(board, machine);
    const SclCalibrationResult result = Calibrate(port, machine.Timing(), c.targetUs);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.halfPeriodCount, c.half);
    EXPECT_EQ(result.quarterPeriodCount, c.quarter);
    EXPECT_EQ(result.Text(), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CalibrateOnMachine,
    ::testing::Values(
        // 8 ns per count: the downward search lands exactly on 10.0 us.
        MachineCase{"ExactOnTheWayDown", 4, 0, 10.0, 1250, 625, "#1250 SCL100"},
        // The bus counts each phase from the return of the write that began it: 10 us and one
        // 1.168 us write from one falling edge to the next, 89.5 kHz.
        MachineCase{"WithSlowPortWrites", 4, 1168, 10.0, 812, 406, "#812 SCL89"},
        // 14 ns per count: 714 gives 9.996 us, so one step up to 715 (10.010 us, 99.9 kHz).
        MachineCase{"OneStepBackUp", 7, 0, 10.0, 715, 357, "#715 SCL99"},
        // 6 ns per count: 1499 is too short; the upward search stops at 1667 (10.002 us).
        MachineCase{"UpwardFromTheStart", 3, 0, 10.0, 1667, 833, "#1667 SCL99"},
        // A fast PC: the count goes past the up-down's 2000 and is kept as found.
        MachineCase{"FastMachineAbove2000", 1, 0, 10.0, 5000, 2500, "#5000 SCL100"},
        // So slow that 12 iterations already take 24 us: every pass ends at 12. The bus waits on
        // the clock, not on the loop, so it still runs near 100 kHz: each wait ends within one
        // iteration (1 us) after its deadline, 90 kHz.
        MachineCase{"SlowMachineStopsAt12", 1000, 0, 10.0, 12, 6, "#12 SCL90"},
        // Every pass ends at 9.87 us (101.3 kHz), but the bus never runs above 100 kHz: its
        // periods last 10 us and one 10 ns write, 99.9 kHz.
        MachineCase{"MeanOf9_87Microseconds", 5, 10, 9.87, 984, 492, "#984 SCL99"}),
    [](const auto& instance) { return instance.param.name; });

TEST(CalibrateScl, AveragesTheTwentyPassesAndTruncatesTheCount) {
    // Passes alternate between 8 ns per count (1250, 10.000 us) and 6 ns per count
    // (1667, 10.002 us): 29170 / 20 = 1458.5 -> 1458; mean 10.001 us -> 99.99 kHz.
    struct Machine {
        int64_t elapsedNs = 0;
        int64_t nsPerIteration = 3;
        int spinsOf1499 = 0;
    };
    auto machine = std::make_shared<Machine>();
    const SclTiming alternating{[machine] { return std::chrono::nanoseconds(machine->elapsedNs); },
                                [machine](uint32_t n) {
                                    // Every pass starts with a trial of 1499 (two spins per
                                    // measurement) and never comes back to it.
                                    if (n == SclCalibration::StartCount - 1 &&
                                        ++machine->spinsOf1499 % (2 * SclCalibration::Repeats) == 1)
                                        machine->nsPerIteration =
                                            machine->nsPerIteration == 4 ? 3 : 4;
                                    machine->elapsedNs += int64_t(n) * machine->nsPerIteration;
                                }};
    board::VirtualBoard board;
    const SclCalibrationResult result = Calibrate(board, alternating, 10.0);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.halfPeriodCount, 1458u);
    EXPECT_EQ(result.quarterPeriodCount, 729u);
    EXPECT_DOUBLE_EQ(result.meanPeriodUs, 10.001);
    EXPECT_EQ(result.Text(), "#1458 SCL99");
}

TEST(CalibrateScl, WithAClockThatNeverAdvancesGivesUpAtTheCountLimitSoon) {
    board::VirtualBoard port;
    uint32_t largest = 0;
    int spins = 0;
    SclTiming stuck = SimulatedMachine::StuckClock();
    stuck.spin = [&](uint32_t n) {
        largest = std::max(largest, n);
        ++spins;
    };
    const SclCalibrationResult result = Calibrate(port, stuck, 10.0);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.Text(), "ERROR");
    EXPECT_EQ(largest, SclCalibration::MaximumCount);
    // A walk of one count per trial would spin about 400000 times before giving up.
    EXPECT_LT(spins, 500);
}

// An idle bus that costs nothing: only the machine's port write time counts.
struct IdlePort : PortIo {
    uint8_t PortRead(int) override { return 0xFF; }
    void PortWrite(int, uint8_t) override {}
};

// The count and period one pass of a one-step walk finds: down by one from StartCount while the
// period is above the target (not below MinimumCount), then up by one until it reaches it.
std::pair<uint32_t, double> OneStepWalk(SclCalibration& calibration, double targetUs) {
    uint32_t n = SclCalibration::StartCount;
    double t = 0.0;
    do {
        t = calibration.MeasureSclPeriod(--n);
    } while (t > targetUs && n > SclCalibration::MinimumCount);
    while (t < targetUs) t = calibration.MeasureSclPeriod(++n);
    return {n, t};
}

struct SpeedCase {
    const char* name;
    int64_t nsPerIteration;
    int64_t nsPerPortWrite;
    double targetUs;
};

class SearchOnMachine : public ::testing::TestWithParam<SpeedCase> {};

TEST_P(SearchOnMachine, FindsTheCountOfAOneStepWalk) {
    const SpeedCase& c = GetParam();
    IdlePort idle;
    SimulatedMachine walker(double(c.nsPerIteration), c.nsPerPortWrite);
    SimulatedMachine::TimedPort walkerPort(idle, walker);
    BusOn walkerBus(walkerPort, walker.Timing());
    SclCalibration walk(walkerBus.bus);
    const auto [count, period] = OneStepWalk(walk, c.targetUs);

    SimulatedMachine machine(double(c.nsPerIteration), c.nsPerPortWrite);
    SimulatedMachine::TimedPort port(idle, machine);
    const SclCalibrationResult result = Calibrate(port, machine.Timing(), c.targetUs);
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.halfPeriodCount, count);
    EXPECT_DOUBLE_EQ(result.meanPeriodUs, period);
}

INSTANTIATE_TEST_SUITE_P(Speeds, SearchOnMachine,
                         ::testing::Values(SpeedCase{"SlowMachineEndsAt12", 1000, 0, 10.0},
                                           SpeedCase{"DownwardOnly", 4, 0, 10.0},
                                           SpeedCase{"DownThenOneUp", 7, 0, 10.0},
                                           SpeedCase{"UpwardFromTheStart", 3, 0, 10.0},
                                           SpeedCase{"MicrosecondPortWrites", 1, 1000, 10.0},
                                           SpeedCase{"Count20000", 1, 0, 40.0},
                                           SpeedCase{"Count100000", 1, 0, 200.0},
                                           SpeedCase{"BetweenTwoCounts", 3, 7, 200.0}),
                         [](const auto& instance) { return instance.param.name; });

struct NoisyCase {
    const char* name;
    double nsPerIteration;
    int64_t nsPerPortWrite;
};

class CalibrateWithInterrupts : public ::testing::TestWithParam<NoisyCase> {};

TEST_P(CalibrateWithInterrupts, KeepsTheCountAndFrequencyOfAQuietMachine) {
    const NoisyCase& c = GetParam();
    IdlePort idle;
    SimulatedMachine quiet(c.nsPerIteration, c.nsPerPortWrite);
    SimulatedMachine::TimedPort quietPort(idle, quiet);
    const SclCalibrationResult expected = Calibrate(quietPort, quiet.Timing(), 10.0);

    SimulatedMachine noisy(c.nsPerIteration, c.nsPerPortWrite);
    noisy.Interrupt(100000, 1000000);  // 1 ms every 100 us: about one 10 us measurement in ten
    SimulatedMachine::TimedPort noisyPort(idle, noisy);
    const SclCalibrationResult result = Calibrate(noisyPort, noisy.Timing(), 10.0);

    ASSERT_TRUE(expected.ok);
    ASSERT_TRUE(result.ok);
    EXPECT_NEAR(result.halfPeriodCount, expected.halfPeriodCount, 0.01 * expected.halfPeriodCount);
    EXPECT_NEAR(result.frequencyKHz, expected.frequencyKHz, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Speeds, CalibrateWithInterrupts,
                         ::testing::Values(NoisyCase{"ModernPc", 0.25, 0},
                                           NoisyCase{"ModernPcSlowPort", 0.25, 1000},
                                           NoisyCase{"FastPc", 1.0, 500},
                                           NoisyCase{"DownwardOnly", 4.0, 0},
                                           NoisyCase{"DownThenUp", 7.0, 0}),
                         [](const auto& instance) { return instance.param.name; });

TEST(CalibrateScl, LeavesTheBusUsable) {
    BusRig rig;
    SimulatedMachine machine(4);
    rig.bus.SetTiming(machine.Timing());
    SclCalibration(rig.bus).CalibrateScl(10.0);
    EXPECT_TRUE(rig.board.FrameTexts().empty()) << "clock pulses with SDA high are no frame";
    const uint8_t bytes[] = {0x13, 0xC9};
    rig.bus.I2cWrite(0x34, bytes, 2);
    EXPECT_EQ(rig.board.FrameTexts(), std::vector<std::string>{"34 13 C9"});
    EXPECT_FALSE(rig.bus.AckError());
    EXPECT_FALSE(rig.bus.WaitError());
}

TEST(SclTexts, CountAndCalibrationTexts) {
    EXPECT_EQ(CountText(200), "#200");
    EXPECT_EQ(CountText(12), "#12");
    EXPECT_EQ(CalibrationText(812, 100.0), "#812 SCL100");
    EXPECT_EQ(CalibrationText(812, 1.0 / (9.87 * 0.001)), "#812 SCL101");
    EXPECT_EQ(CalibrationText(2500, 99.999), "#2500 SCL99");
}

}  // namespace
}  // namespace qk::test
