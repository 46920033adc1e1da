#include <QCheckBox>

#include "gui/bus/Gpiounit.h"
#include "tests/gui/ProgramFixture.h"

namespace qk::test {
namespace {

class ParallelPortPins : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        OpenWindow(GPIOForm);  // as GPIO does
    }
    QCheckBox* Box(int bit) {
        const std::string name = "Bit" + std::to_string(bit) + "CheckBox";
        return Child<QCheckBox>(GPIOForm, name.c_str());
    }
    void Tick(const std::vector<int>& bits) {
        for (int bit : bits) QTest::mouseClick(Box(bit), Qt::LeftButton);
    }
};

TEST_F(ParallelPortPins, LaysOutEightBitsWithTheResetBitDisabled) {
    const char* captions[] = {"Bit 0 D-sub pin 2", "Bit 1 D-sub pin 3", "Bit 2 D-sub pin 4 (RESET)",
                              "Bit 3 D-sub pin 5", "Bit 4 D-sub pin 6", "Bit 5 D-sub pin 7",
                              "Bit 6 D-sub pin 8", "Bit 7 D-sub pin 9"};
    EXPECT_EQ(GPIOForm->windowTitle(), "Parallel Port Pins");
    for (int bit = 0; bit < 8; ++bit) {
        EXPECT_EQ(Box(bit)->text(), captions[bit]);
        EXPECT_FALSE(Box(bit)->isChecked());
        EXPECT_EQ(Box(bit)->isEnabled(), bit != 2) << bit;
    }
    EXPECT_EQ(Child<QAbstractButton>(GPIOForm, "SendButton")->text(), "SEND");
}

struct SendCase {
    const char* name;
    std::vector<int> ticked;
    uint8_t written;
};

class SendPins : public ParallelPortPins, public ::testing::WithParamInterface<SendCase> {};

TEST_P(SendPins, WritesTheTickedBitsToTheDataPort) {
    Tick(GetParam().ticked);
    EXPECT_TRUE(board.DataPortWrites().empty()) << "ticking alone writes nothing";
    Click(GPIOForm, "SendButton");
    EXPECT_EQ(board.DataPortWrites(), std::vector<uint8_t>{GetParam().written});
    EXPECT_TRUE(board.FrameTexts().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SendPins,
    ::testing::Values(SendCase{"NothingTicked", {}, 0x00}, SendCase{"Bits0And7", {0, 7}, 0x81},
                      // the reset bit's box cannot be ticked: it is always sent as 0
                      SendCase{"EveryBox", {0, 1, 2, 3, 4, 5, 6, 7}, 0xFB},
                      SendCase{"TickedTwiceIsCleared", {3, 3, 5}, 0x20}),
    [](const auto& test) { return test.param.name; });

TEST_F(ParallelPortPins, SendWritesAlsoWhileOffLine) {
    Click(OkapiForm, "I2C_Bypass");
    ASSERT_TRUE(Child<QAbstractButton>(OkapiForm, "I2C_Bypass")->isChecked());
    Tick({1, 4});
    Click(GPIOForm, "SendButton");
    Click(GPIOForm, "SendButton");
    EXPECT_EQ(board.DataPortWrites(), (std::vector<uint8_t>{0x12, 0x12}));
}

}  // namespace
}  // namespace qk::test
