// What a first selection of the second generation puts on the bus, to the byte, off line with the
// log on: every frame of the chip activation and of the restore from the power-on image.
#include <QFile>

#include "gui/qk330/QK330Testregunit.h"
#include "tests/gui/QK330Fixture.h"

namespace qk::test {
namespace {

using Lines = std::vector<std::string>;

std::string Frame(std::initializer_list<int> bytes) {
    std::string line = "{0x34 ";
    for (int b : bytes) line += QString::asprintf("0x%x ", b).toStdString();
    return line + "}";
}

// In order: the setup windows' refreshes of the system control registers; the channel setup
// window writing each channel's configuration; modulation index, serial format and error recovery
// delays; the delay sliders of channels 2..6 moving to their defaults (channel 1 stays at 0); the
// SE offset shown byte by byte, each show ending with APPLY of all four bytes; the test registers'
// setup windows; the DC offset sliders leaving their start position for 0000h; ZERO ALL with all
// six channels checked; the master volume's "0.0": every channel at 975 (03CFh) twice.
Lines ExpectedActivationLog() {
    Lines lines = {Frame({0x03, 0x13}), Frame({0x04, 0xA6}), Frame({0x05, 0x01})};
    for (int sub = 0x06; sub <= 0x0B; ++sub) lines.push_back(Frame({sub, 0x00}));
    for (auto [sub, value] : {std::pair{0x0D, 0x06},
                              {0x0E, 0x05},
                              {0x13, 0xF0},
                              {0x21, 0x4C},
                              {0x22, 0x98},
                              {0x23, 0xE4},
                              {0x24, 0x30},
                              {0x25, 0x7C}})
        lines.push_back(Frame({sub, value}));
    const int seOffsetShown[4][4] = {{0x20, 0x00, 0x00, 0x00},
                                     {0x20, 0x41, 0x00, 0x00},
                                     {0x20, 0x41, 0x00, 0x00},
                                     {0x20, 0x41, 0x00, 0x00}};
    for (const auto& shown : seOffsetShown)
        for (int k = 0; k < 4; ++k) lines.push_back(Frame({0x32 + k, shown[k]}));
    for (auto [sub, value] : {std::pair{0x79, 0xF2}, {0x7A, 0xB0}, {0x7E, 0x00}, {0x7F, 0x00}})
        lines.push_back(Frame({sub, value}));
    for (int sub = 0x14; sub <= 0x1E; sub += 2) lines.push_back(Frame({sub, 0x00, 0x00}));
    for (int pass = 0; pass < 2; ++pass)
        for (int sub = 0x26; sub <= 0x30; sub += 2) lines.push_back(Frame({sub, 0x03, 0xCF}));
    return lines;
}

struct ActivationCase {
    const char* chipButton;
    bool qk340Groups;
    int testWindowWidth;
};

class FirstSecondGenerationSelection : public QK330Test,
                                       public ::testing::WithParamInterface<ActivationCase> {
  protected:
    void SetUp() override { MainWindowTest::SetUp(); }
};

TEST_P(FirstSecondGenerationSelection, LogsExactlyTheActivationFrames) {
    ClickOffLine();
    ClickStart();
    LogIn("pelmak");
    Click(OkapiForm, "DataLogCheckBox");
    Click(OkapiForm, GetParam().chipButton);

    EXPECT_EQ(DataLogLines(), ExpectedActivationLog());
    EXPECT_EQ(board.PortAccesses(), 0u) << "off line, nothing reaches the port";
    EXPECT_EQ(Child(QK330RegForm, "PADCOffsetGroupBox")->isVisibleTo(QK330RegForm),
              GetParam().qk340Groups);
    EXPECT_EQ(Child(QK330TestRegForm, "PSCTest1GroupBox")->isVisibleTo(QK330TestRegForm),
              GetParam().qk340Groups);
    EXPECT_EQ(QK330TestRegForm->frameGeometry().width(), GetParam().testWindowWidth);
    EXPECT_EQ(Text("QK330MasterVolReadout"), "0.00 dB");
}

INSTANTIATE_TEST_SUITE_P(Chips, FirstSecondGenerationSelection,
                         ::testing::Values(ActivationCase{"QK330RadioButton", false, 288},
                                           ActivationCase{"QK340RadioButton", true, 690}),
                         [](const auto& test) {
                             return std::string(test.param.chipButton).substr(0, 5);
                         });

}  // namespace
}  // namespace qk::test
