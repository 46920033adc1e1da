#include "link/FrameRecorder.h"

#include <gtest/gtest.h>

#include "tests/core/BusTestSupport.h"

namespace qk::test {
namespace {

// A register write, a register read and a probe as the recorder keeps them.
TEST(FrameRecorder, KeepsEachFrameWithItsRegister) {
    BusRig rig(board::Chip::QK330);
    FrameRecorder recorder(10);
    recorder.now = [] { return int64_t{0}; };
    rig.bus.AddFrameObserver(&recorder);
    const uint8_t volume[] = {0x26, 0x03, 0xCF};
    rig.bus.I2cWrite(0x34, volume, 3);
    uint8_t value = 0;
    rig.bus.I2cRead(0x34, 0x01, &value, 1);
    ASSERT_TRUE(rig.bus.I2cProbe(0x34, 0x00, nullptr, 0));
    rig.bus.RemoveFrameObserver(&recorder);
    rig.bus.I2cWrite(0x34, volume, 3);  // no longer watched

    struct Row {
        const char* direction;
        const char* sub;
        const char* bytes;
        const char* read;
    };
    const Row expected[] = {{"W", "26h", "26 03 CF", ""},
                            {"W", "01h", "01", ""},
                            {"R", "01h", "", "80"},
                            {"Probe", "", "00", ""}};
    const FrameRing& ring = recorder.Ring();
    ASSERT_EQ(ring.Size(), std::size(expected));
    for (size_t i = 0; i < ring.Size(); ++i) {
        const FrameTexts t = TextsOf(*ring.Find(i));
        EXPECT_EQ(t.address, "0x1a");
        EXPECT_EQ(t.direction, expected[i].direction) << i;
        EXPECT_EQ(t.subAddress, expected[i].sub) << i;
        EXPECT_EQ(t.bytes, expected[i].bytes) << i;
        EXPECT_EQ(t.read, expected[i].read) << i;
        EXPECT_EQ(t.error, "") << i;
    }
}

TEST(FrameRecorder, MarksErrorsAndOffLineFrames) {
    BusRig rig(board::Chip::QK310, 0x36);  // nothing answers at 0x34
    FrameRecorder recorder(10);
    rig.bus.AddFrameObserver(&recorder);
    const uint8_t frame[] = {0x13, 0xC9};
    rig.bus.I2cWrite(0x34, frame, 2);
    rig.bus.OffLine = true;
    rig.bus.I2cResetErrors();
    rig.bus.I2cWrite(0x34, frame, 2);
    EXPECT_EQ(TextsOf(*recorder.Ring().Find(0)).error, "ACK Error");
    EXPECT_EQ(TextsOf(*recorder.Ring().Find(1)).error, "OFF LINE");
    rig.bus.RemoveFrameObserver(&recorder);
}

// The ring keeps the newest frames; sequence numbers run on through drops and clears.
TEST(FrameRing, KeepsAtMostItsCapacity) {
    FrameRing ring(3);
    for (int i = 0; i < 5; ++i) ring.Push({});
    EXPECT_EQ(ring.Size(), 3u);
    EXPECT_EQ(ring.FirstSequence(), 2u);
    EXPECT_EQ(ring.Find(1), nullptr);
    ASSERT_NE(ring.Find(4), nullptr);
    EXPECT_EQ(ring.Find(4)->sequence, 4u);
    EXPECT_EQ(ring.Find(5), nullptr);
    ring.Clear();
    EXPECT_EQ(ring.Size(), 0u);
    ring.Push({});
    EXPECT_EQ(ring.Find(5)->sequence, 5u);
}

TEST(FrameRecorder, CsvQuotesFieldsWithCommas) {
    MonitoredFrame frame;
    frame.timeMs = 0;
    frame.frame.address = 0x34;
    frame.frame.bytes = {0x03, 0x53};
    frame.subAddress = 0x03;
    frame.meaning = "Speed Mode 0 \u2192 1, \"fast\"";
    const std::string line = FrameCsvLine(frame);
    EXPECT_NE(line.find(",0x1a,W,03h,03 53,,\"Speed Mode 0 \u2192 1, \"\"fast\"\"\",\n"),
              std::string::npos)
        << line;
}

}  // namespace
}  // namespace qk::test
