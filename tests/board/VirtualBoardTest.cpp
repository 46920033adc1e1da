#include <gtest/gtest.h>

#include "tests/support/BusTestSupport.h"

namespace qk::test {
namespace {

using board::Chip;

struct ChipCase {
    Chip chip;
    uint8_t id;
    size_t registers;
};

class ChipFiles : public ::testing::TestWithParam<ChipCase> {};

TEST_P(ChipFiles, AnswerTheirIdAndHoldTheirRegisterCount) {
    BusRig rig(GetParam().chip);
    uint8_t id = 0;
    rig.bus.I2cRead(0x34, 0x00, &id, 1);
    EXPECT_EQ(id, GetParam().id);
    EXPECT_EQ(rig.board.ListRegisters().size(), GetParam().registers);
}

INSTANTIATE_TEST_SUITE_P(Chips, ChipFiles,
                         ::testing::Values(ChipCase{Chip::QK310, 0x27, 29},
                                           ChipCase{Chip::QK320, 0x1F, 29},
                                           ChipCase{Chip::QK350, 0x01, 29},
                                           ChipCase{Chip::Unknown, 0x3F, 29},
                                           ChipCase{Chip::QK330, 0x01, 61}));

TEST(VirtualBoard, ReadOnlyRegistersKeepTheirValue) {
    BusRig rig;
    const uint8_t frame[] = {0x00, 0x55};
    rig.bus.I2cWrite(0x34, frame, 2);
    const uint8_t dither[] = {0x1D, 0x00, 0x81};  // 1Dh is read only, 1Eh is not
    rig.bus.I2cWrite(0x34, dither, 3);
    EXPECT_EQ(rig.board.Register(0x00), 0x27);
    EXPECT_EQ(rig.board.Register(0x1D), 0x33);
    EXPECT_EQ(rig.board.Register(0x1E), 0x81);
}

TEST(VirtualBoard, QK330RegistersFollowItsPowerOnTable) {
    board::VirtualBoard board(Chip::QK330);
    EXPECT_EQ(board.Register(0x21), 0x4C);
    EXPECT_EQ(board.Register(0x79), 0xF2);
    EXPECT_FALSE(board.HasRegister(0x36));
    EXPECT_TRUE(board.HasRegister(0x7F));
}

TEST(VirtualBoard, RecordsDataPortWritesAndListsRegisters) {
    board::VirtualBoard board;
    board.PortWrite(DataPort, 0x81);
    board.PortWrite(DataPort, 0x00);
    EXPECT_EQ(board.DataPortWrites(), (std::vector<uint8_t>{0x81, 0x00}));
    EXPECT_TRUE(board.Frames().empty());
    EXPECT_EQ(board.RegisterListing().substr(0, 15), "00h=27 01h=00 0");
}

TEST(VirtualBoard, LinesAreWiredAndOpenDrain) {
    board::VirtualBoard board;
    EXPECT_EQ(board.PortRead(StatusPort), StatusSda | StatusScl) << "idle bus: both lines high";
    board.PortWrite(ControlPort, 2);  // SDA low with SCL high: a START
    EXPECT_EQ(board.PortRead(StatusPort), StatusScl);
    board.PortWrite(ControlPort, 1);
    EXPECT_EQ(board.PortRead(StatusPort), StatusSda);
    board.SetFault(board::Fault::SdaStuckLow);
    board.PortWrite(ControlPort, 3);
    EXPECT_EQ(board.PortRead(StatusPort), StatusScl) << "a line held low stays low";
}

}  // namespace
}  // namespace qk::test
