#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/BusTestSupport.h"

namespace qk::test {
namespace {

using board::Chip;
using board::Fault;
using Texts = std::vector<std::string>;

struct WriteCase {
    const char* name;
    uint8_t address;
    std::vector<uint8_t> bytes;
    Texts frames;
    Texts logLines;
};

class I2cWriteFrames : public ::testing::TestWithParam<WriteCase> {};

TEST_P(I2cWriteFrames, ReachTheChipAndTheLogAsSent) {
    const WriteCase& c = GetParam();
    BusRig rig;
    rig.bus.I2cWrite(c.address, c.bytes.data(), static_cast<int>(c.bytes.size()));
    EXPECT_EQ(rig.board.FrameTexts(), c.frames);
    EXPECT_EQ(rig.log.lines, c.logLines);
    EXPECT_FALSE(rig.bus.AckError());
    EXPECT_FALSE(rig.bus.WaitError());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, I2cWriteFrames,
    ::testing::Values(
        WriteCase{"CountZero", 0x34, {}, {"34"}, {"{0x34 }"}},
        WriteCase{"OneRegister", 0x34, {0x13, 0xC9}, {"34 13 C9"}, {"{0x34 0x13 0xc9 }"}},
        WriteCase{
            "AutoIncrement", 0x34, {0x07, 0x0A, 0x00}, {"34 07 0A 00"}, {"{0x34 0x7 0xa 0x0 }"}},
        WriteCase{"AllBitPatterns",
                  0x34,
                  {0x01, 0xFF, 0x10, 0x80},
                  {"34 01 FF 10 80"},
                  {"{0x34 0x1 0xff 0x10 0x80 }"}}),
    [](const auto& test) { return test.param.name; });

TEST(I2cWrite, StoresIntoTheChipWithAutoIncrement) {
    BusRig rig;
    const uint8_t bytes[] = {0x06, 0x11, 0x22, 0x33};
    rig.bus.I2cWrite(0x34, bytes, 4);
    EXPECT_EQ(rig.board.Register(0x06), 0x11);
    EXPECT_EQ(rig.board.Register(0x07), 0x22);
    EXPECT_EQ(rig.board.Register(0x08), 0x33);
}

TEST(I2cWrite, SendsAnOddAddressUnchanged) {
    BusRig rig(Chip::QK310, 0x36);  // nothing answers at 0x34/0x35
    rig.bus.I2cWrite(0x35, nullptr, 0);
    EXPECT_EQ(rig.board.FrameTexts(), Texts{"35"});
    EXPECT_EQ(rig.log.lines, Texts{"{0x35 }"});
}

TEST(I2cWriteSub, ClearsAddressBitZeroAndReportsStickyErrors) {
    BusRig rig;
    const uint8_t data = 0x7A;
    EXPECT_TRUE(rig.bus.I2cWriteSub(0x35, 0x03, &data, 1));
    EXPECT_EQ(rig.board.FrameTexts(), Texts{"34 03 7A"});
    EXPECT_EQ(rig.log.lines, Texts{"{0x34 0x3 0x7a }"});
    EXPECT_EQ(rig.board.Register(0x03), 0x7A);

    rig.board.SetFault(Fault::NoDevice);
    EXPECT_FALSE(rig.bus.I2cWriteSub(0x34, 0x03, &data, 1));
    rig.board.SetFault(Fault::None);
    EXPECT_FALSE(rig.bus.I2cWriteSub(0x34, 0x03, &data, 1)) << "errors stay until a reset";
    rig.bus.I2cResetErrors();
    EXPECT_TRUE(rig.bus.I2cWriteSub(0x34, 0x03, &data, 1));
}

TEST(I2cRead, OneByteEndsWithNackAndLogsOnlyTheSubAddressFrame) {
    BusRig rig;
    uint8_t value = 0xAA;
    rig.bus.I2cRead(0x34, 0x00, &value, 1);
    EXPECT_EQ(value, 0x27);
    // Exactly one byte went out: a master acknowledge would have made the chip send another.
    EXPECT_EQ(rig.board.FrameTexts(), (Texts{"34 00", "35 27"}));
    EXPECT_EQ(rig.log.lines, Texts{"{0x34 0x0 }"});
}

TEST(I2cRead, SeveralBytesAreAcknowledgedByTheMasterAndFollowThePointer) {
    BusRig rig;
    uint8_t values[4] = {};
    rig.bus.I2cRead(0x34, 0x0C, values, 4);
    EXPECT_EQ(std::vector<uint8_t>(values, values + 4),
              (std::vector<uint8_t>{0x00, 0x10, 0x20, 0x30}));
    EXPECT_EQ(rig.board.FrameTexts(), (Texts{"34 0C", "35 00 10 20 30"}));
    EXPECT_FALSE(rig.bus.AckError());
}

TEST(I2cRead, CountZeroStillSendsAnEmptyReadFrame) {
    BusRig rig;
    rig.bus.I2cRead(0x34, 0x19, nullptr, 0);  // 19h = FFh: the chip leaves SDA released
    EXPECT_EQ(rig.board.FrameTexts(), (Texts{"34 19", "35"}));
    EXPECT_EQ(rig.log.lines, Texts{"{0x34 0x19 }"});
}

TEST(I2cRead, SetsAddressBitZeroForTheReadPhaseOnly) {
    BusRig rig(Chip::QK320, 0x36);
    uint8_t value = 0;
    rig.bus.I2cRead(0x36, 0x00, &value, 1);
    EXPECT_EQ(value, 0x1F);
    EXPECT_EQ(rig.board.FrameTexts(), (Texts{"36 00", "37 1F"}));
}

TEST(I2cProbe, UsesTheWireOffLineAndIsNeverLogged) {
    BusRig rig;
    rig.bus.SetOffLine(true);
    EXPECT_TRUE(rig.bus.I2cProbe(0x35, 0x00, nullptr, 0));
    EXPECT_EQ(rig.board.FrameTexts(), Texts{"34 00"});
    EXPECT_TRUE(rig.log.lines.empty());
}

TEST(OffLine, WritesOnlyLogAndReadsDeliverZeros) {
    BusRig rig;
    rig.bus.SetOffLine(true);
    const uint8_t bytes[] = {0x13, 0xC9};
    rig.bus.I2cWrite(0x34, bytes, 2);
    uint8_t values[2] = {0xAA, 0xAA};
    rig.bus.I2cRead(0x34, 0x00, values, 2);
    EXPECT_EQ(rig.board.PortAccesses(), 0u) << "no port access at all";
    EXPECT_EQ(values[0], 0);
    EXPECT_EQ(values[1], 0);
    EXPECT_EQ(rig.log.lines, (Texts{"{0x34 0x13 0xc9 }", "{0x34 0x0 }"}));
    EXPECT_EQ(rig.board.Register(0x13), 0x00);
}

TEST(Errors, StuckDataLineLooksLikeAcknowledgesAndDecodesNothing) {
    BusRig rig;
    rig.board.SetFault(Fault::SdaStuckLow);
    uint8_t value = 0xAA;
    rig.bus.I2cRead(0x34, 0x00, &value, 1);
    EXPECT_EQ(value, 0x00);
    // The line fell while SCL was high (a START), and the chip sees only zeros from then on.
    for (const auto& frame : rig.board.Frames()) EXPECT_EQ(frame.address, 0x00);
    EXPECT_EQ(rig.board.Register(0x00), 0x27);
    EXPECT_FALSE(rig.bus.AckError());
    EXPECT_FALSE(rig.bus.WaitError());
}

TEST(Errors, ALineHeldLowIsFoundWithoutAFrame) {
    const std::pair<Fault, I2cBus::HeldLine> cases[] = {
        {Fault::None, I2cBus::HeldLine::None},
        {Fault::SdaStuckLow, I2cBus::HeldLine::Sda},
        {Fault::SclStuckLow, I2cBus::HeldLine::Scl}};
    for (auto [fault, held] : cases) {
        BusRig rig;
        rig.board.SetFault(fault);
        rig.bus.Port().PortWrite(ControlPort, 0);  // both lines driven low before the check
        EXPECT_EQ(rig.bus.LineHeldLow(), held) << int(fault);
        EXPECT_TRUE(rig.board.Frames().empty());
        EXPECT_TRUE(rig.errors.events.empty());
    }
}

TEST(ClockStretching, WithinTheBudgetIsWaitedFor) {
    BusRig rig;
    rig.board.SetFault(Fault::ClockStretch, 25);
    const uint8_t bytes[] = {0x13, 0xC9};
    rig.bus.I2cWrite(0x34, bytes, 2);
    uint8_t value = 0;
    rig.bus.I2cRead(0x34, 0x13, &value, 1);
    EXPECT_EQ(value, 0xC9);
    EXPECT_EQ(rig.board.FrameTexts(), (Texts{"34 13 C9", "34 13", "35 C9"}));
    EXPECT_FALSE(rig.bus.WaitError());
}

}  // namespace
}  // namespace qk::test
