// What a first-generation chip selection puts on the bus, to the byte.
#include <QFile>

#include "gui/gen1/Registersunit.h"
#include "tests/gui/MainWindowFixture.h"

namespace qk::test {
namespace {

using Lines = std::vector<std::string>;

// The frames of one activation with the power-on image and all six channels checked: System
// Control 0 and 1; the six DC offsets (their sliders leave 128 for 127); the delays of channels
// 2..6 (channel 1's slider stays at 255); the six volumes at 0.0 dB from DEFAULTS, then all six
// again from the master volume's "0.0".
Lines ExpectedActivationLog() {
    Lines lines = {"{0x34 0x2 0x5 }", "{0x34 0x3 0x7e }"};
    for (int sub = 0x06; sub <= 0x0B; ++sub)
        lines.push_back(QString::asprintf("{0x34 0x%x 0x0 }", sub).toStdString());
    for (int channel = 2; channel <= 6; ++channel)
        lines.push_back(QString::asprintf("{0x34 0x%x 0x%x }", 0x0B + channel, (channel - 1) * 0x10)
                            .toStdString());
    for (int pass = 0; pass < 2; ++pass)
        for (int sub = 0x13; sub <= 0x18; ++sub)
            lines.push_back(QString::asprintf("{0x34 0x%x 0xc9 }", sub).toStdString());
    return lines;
}

class FirstSelectionOffLine : public MainWindowTest,
                              public ::testing::WithParamInterface<const char*> {};

TEST_P(FirstSelectionOffLine, LogsExactlyTheActivationFrames) {
    ClickOffLine();
    ClickStart();
    Click(OkapiForm, "DataLogCheckBox");
    Click(OkapiForm, GetParam());
    EXPECT_EQ(DataLogLines(), ExpectedActivationLog());
    EXPECT_EQ(board.PortAccesses(), 0u) << "off line, nothing reaches the port";
    EXPECT_EQ(TheSession().FirstGenerationImage().CurrentImage[0],
              std::string(GetParam()) == "QK310RadioButton" ? 0x26 : 0x36);
    EXPECT_EQ(Child(RegistersForm, "Reg12GroupBox")->isVisibleTo(RegistersForm),
              std::string(GetParam()) != "QK310RadioButton")
        << "the ABD delay group belongs to the QK320 and QK350/60";
}

INSTANTIATE_TEST_SUITE_P(Chips, FirstSelectionOffLine,
                         ::testing::Values("QK310RadioButton", "QK320RadioButton",
                                           "QK350RadioButton"));

// Write frames only, as the board decoded them ("34 02 05"), in the log's order.
Lines WriteFrames(const board::VirtualBoard& board) {
    Lines frames;
    for (const board::DecodedFrame& frame : board.Frames())
        if (!frame.IsRead() && frame.bytes.size() == 2) frames.push_back(frame.Text());
    return frames;
}

using DetectionOnLine = MainWindowTest;

TEST_F(DetectionOnLine, ActivatesTheChipWithTheValuesItReported) {
    ClickStart();
    ASSERT_TRUE(Child<QAbstractButton>(OkapiForm, "QK310RadioButton")->isChecked());
    Lines expected;
    for (const std::string& line : ExpectedActivationLog()) {
        // "{0x34 0x2 0x5 }" -> "34 02 05"
        const QStringList items = QString::fromStdString(line).mid(1).chopped(2).split(' ');
        expected.push_back(QString::asprintf("%02X %02X %02X", items[0].toInt(nullptr, 16),
                                             items[1].toInt(nullptr, 16),
                                             items[2].toInt(nullptr, 16))
                               .toStdString());
    }
    EXPECT_EQ(WriteFrames(board), expected);
    for (int sub = 0x13; sub <= 0x18; ++sub) EXPECT_EQ(board.Register(sub), 0xC9) << sub;
    EXPECT_EQ(board.Register(0x02), 0x05);
    EXPECT_EQ(board.Register(0x03), 0x7E);
    EXPECT_EQ(board.Register(0x11), 0x50);
}

}  // namespace
}  // namespace qk::test
