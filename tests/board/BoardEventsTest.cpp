#include "board/BoardEvents.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/BoardOptions.h"
#include "tests/support/BusTestSupport.h"

namespace qk::board {
namespace {

TEST(EventSchedule, ReadsTimesFromStartOrFirstPollAndPeriods) {
    std::vector<TimedEvent> schedule;
    std::string error;
    ASSERT_TRUE(
        ParseEventSchedule("2s:lrclk-loss,5s:clear-lrclk,0.25s:psu-uv,1500ms:clip,"
                           " +20s:sclk-loss , +0s:clip every 30s,1s:psu-ov every 500ms",
                           schedule, error))
        << error;
    const std::vector<TimedEvent> expected = {{2000, "lrclk-loss"},
                                              {5000, "clear-lrclk"},
                                              {250, "psu-uv"},
                                              {1500, "clip"},
                                              {20000, "sclk-loss", true},
                                              {0, "clip", true, 30000},
                                              {1000, "psu-ov", false, 500}};
    EXPECT_EQ(schedule, expected);
}

// Times in milliseconds: start at 0, the Status Watch's first poll at 5000.
TEST(EventTimeline, PlusTimesCountFromTheFirstPollAndRepeatsComeAgain) {
    std::vector<TimedEvent> schedule;
    std::string error;
    ASSERT_TRUE(ParseEventSchedule("+1s:lrclk-loss,2s:psu-uv,+3s:clip every 2s", schedule, error));
    EventTimeline timeline(schedule, 0);
    using Names = std::vector<std::string>;
    EXPECT_EQ(timeline.TakeDue(1999), Names{});
    EXPECT_EQ(timeline.TakeDue(4999), Names{"psu-uv"}) << "from start, the poll or not";
    EXPECT_EQ(timeline.NextDueMs(), std::nullopt) << "the + times wait for the first poll";
    timeline.WatchPolled(5000);
    timeline.WatchPolled(5500);  // later polls move nothing
    EXPECT_EQ(timeline.NextDueMs(), 6000);
    EXPECT_EQ(timeline.TakeDue(5999), Names{});
    EXPECT_EQ(timeline.TakeDue(6000), Names{"lrclk-loss"});
    EXPECT_EQ(timeline.TakeDue(8000), Names{"clip"});
    EXPECT_EQ(timeline.TakeDue(9999), Names{});
    EXPECT_EQ(timeline.TakeDue(10000), Names{"clip"}) << "again a period later";
    EXPECT_EQ(timeline.TakeDue(17000), Names{"clip"}) << "once when late, not each time missed";
    EXPECT_EQ(timeline.NextDueMs(), 18000);
}

struct BadSchedule {
    const char* text;
    const char* named;  // what the message must quote
};

class BadSchedules : public ::testing::TestWithParam<BadSchedule> {};

TEST_P(BadSchedules, AreRefusedNamingTheItem) {
    std::vector<TimedEvent> schedule = {{1, "clip"}};
    std::string error;
    EXPECT_FALSE(ParseEventSchedule(GetParam().text, schedule, error));
    EXPECT_NE(error.find(GetParam().named), std::string::npos) << error;
    EXPECT_EQ(schedule.size(), 1u) << "a refused schedule changes nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadSchedules,
    ::testing::Values(BadSchedule{"", "''"}, BadSchedule{"2s", "'2s'"},
                      BadSchedule{"2x:clip", "'2x'"}, BadSchedule{"s:clip", "'s'"},
                      BadSchedule{"-1s:clip", "'-1s'"}, BadSchedule{"2s:bogus", "'bogus'"},
                      BadSchedule{"2s:clip,", "''"}, BadSchedule{"90000s:clip", "'90000s'"},
                      BadSchedule{"+1s:clip every 0s", "'+1s:clip every 0s'"},
                      BadSchedule{"1s:clip every 0.0001s", "'0.0001s'"},
                      BadSchedule{"1s:clip every", "'1s:clip every'"},
                      BadSchedule{"1s:clip each 3s", "'1s:clip each 3s'"},
                      BadSchedule{"1s:clip every 3s 4s", "'1s:clip every 3s 4s'"},
                      BadSchedule{"1s:clip every -3s", "'-3s'"}));

TEST(EventSchedule, EventsMustNameAStatusBitOfTheChip) {
    const auto refused = ParseBoardOptions({"--events", "2s:psu-uv"});
    EXPECT_EQ(refused.outcome, ParsedOptions::Outcome::Error);
    EXPECT_NE(refused.error.find("QK310 has no status bit \"PSU UV\""), std::string::npos)
        << refused.error;
    const auto accepted = ParseBoardOptions({"--events=2s:psu-uv", "--chip", "qk330"});
    ASSERT_EQ(accepted.outcome, ParsedOptions::Outcome::Run) << accepted.error;
    EXPECT_EQ(accepted.options.events.size(), 1u);
    EXPECT_EQ(ParseBoardOptions({"--trace="}).outcome, ParsedOptions::Outcome::Error);
    EXPECT_EQ(ParseBoardOptions({"--trace", "t.vcd"}).options.tracePath, "t.vcd");
}

// What the master reads from 00h and 01h after each step; "zero" is the editor's 80h write.
struct LatchCase {
    const char* name;
    Chip chip;
    std::vector<std::string> steps;
    std::vector<std::pair<uint8_t, uint8_t>> status;  // (00h, 01h) after each step
};

class StatusLatches : public ::testing::TestWithParam<LatchCase> {};

TEST_P(StatusLatches, UntilAZeroWrite) {
    const LatchCase& c = GetParam();
    test::BusRig rig(c.chip);
    ASSERT_EQ(c.steps.size(), c.status.size());
    for (size_t i = 0; i < c.steps.size(); ++i) {
        if (c.steps[i] == "zero") {
            const uint8_t zero[] = {0x01, 0x80};
            rig.bus.I2cWrite(0x34, zero, 2);
        } else {
            ApplyEvent(rig.board, c.chip, c.steps[i]);
        }
        uint8_t general = 0, error = 0;
        rig.bus.I2cRead(0x34, 0x00, &general, 1);
        rig.bus.I2cRead(0x34, 0x01, &error, 1);
        EXPECT_EQ(std::make_pair(general, error), c.status[i]) << "after " << c.steps[i];
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StatusLatches,
    ::testing::Values(LatchCase{"LrclkLatchesPastItsEnd",
                                Chip::QK330,
                                {"lrclk-loss", "clear-lrclk", "zero"},
                                {{0x00, 0x90}, {0x00, 0x90}, {0x01, 0x80}}},
                      LatchCase{"ALastingFaultLatchesAgainAfterZero",
                                Chip::QK330,
                                {"psu-uv", "zero", "clear-psu-uv", "zero"},
                                {{0x00, 0x82}, {0x00, 0x82}, {0x00, 0x82}, {0x01, 0x80}}},
                      LatchCase{"ClipClearsTheActiveLowNoClip",
                                Chip::QK330,
                                {"clip", "clear-clip", "zero"},
                                {{0x00, 0x00}, {0x00, 0x00}, {0x01, 0x80}}},
                      LatchCase{
                          "FirstGeneration",
                          Chip::QK310,
                          {"pwm-timing", "sclk-loss", "clear-pwm-timing", "clear-sclk", "zero"},
                          {{0x26, 0x01}, {0x26, 0x21}, {0x26, 0x21}, {0x26, 0x21}, {0x27, 0x80}}}),
    [](const auto& test) { return test.param.name; });

}  // namespace
}  // namespace qk::board
