#include "core/bus/FrameRecorder.h"

#include <gtest/gtest.h>

#include <map>

#include "core/chips/RegisterMeaning.h"
#include "tests/support/BusTestSupport.h"

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
    rig.bus.SetOffLine(true);
    rig.bus.I2cResetErrors();
    rig.bus.I2cWrite(0x34, frame, 2);
    EXPECT_EQ(TextsOf(*recorder.Ring().Find(0)).error, "ACK Error");
    EXPECT_EQ(TextsOf(*recorder.Ring().Find(1)).error, "OFF LINE");
    rig.bus.RemoveFrameObserver(&recorder);
}

// A frame that carries part of a value of several bytes names their place in it, and the whole
// value as the bus last carried the other bytes, or else as the image holds them.
TEST(FrameRecorder, NamesTheBytesOfAValueThatAFrameCarriesInPart) {
    BusRig rig(board::Chip::QK330);
    FrameRecorder recorder(10);
    const std::map<uint8_t, uint8_t> image{{0x32, 0x20}, {0x33, 0x41}, {0x34, 0x00}, {0x35, 0x00}};
    const RegisterMeaning meaning([] { return &QK330Map(); },
                                  [&](uint8_t sub) -> std::optional<uint8_t> {
                                      const auto held = image.find(sub);
                                      if (held == image.end()) return std::nullopt;
                                      return held->second;
                                  });
    recorder.SetDescriber(&meaning);
    rig.bus.AddFrameObserver(&recorder);
    const struct {
        std::vector<uint8_t> frame;
        const char* meaning;
    } cases[] = {
        {{0x26, 0x03}, "26h-27h Ch1 Volume byte 1 of 2 \u2190 03; word 03?? (27h not known yet)"},
        {{0x27, 0xCF, 0x03},
         "26h-27h Ch1 Volume byte 2 of 2 \u2190 CF; word 03CF = 0.00 dB; 28h-29h Ch2 Volume byte 1 "
         "of 2 \u2190 03; word 03?? (29h not known yet)"},
        {{0x10, 0x01},
         "0Fh-10h PADC DC Offset byte 2 of 2 \u2190 01; word ??01 (0Fh not known yet)"},
        {{0x34, 0x80},
         "32h-35h SE OFFSET byte 3 of 4 \u2190 80; word 20418000 = "
         "0.503997802734375000000000000000"},
        {{0x33, 0x00, 0x00},
         "32h-35h SE OFFSET bytes 2-3 of 4 \u2190 00 00; word 20000000 = "
         "0.500000000000000000000000000000"},
        {{0x14, 0x0F, 0xFF}, "14h-15h Ch1 DC Offset \u2190 0F FF: 6.2500%"},
    };
    for (const auto& c : cases)
        rig.bus.I2cWrite(0x34, c.frame.data(), static_cast<int>(c.frame.size()));
    rig.bus.RemoveFrameObserver(&recorder);
    ASSERT_EQ(recorder.Ring().Size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(recorder.Ring().Find(i)->meaning, cases[i].meaning) << i;
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
