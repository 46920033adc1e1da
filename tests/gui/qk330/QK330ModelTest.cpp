#include <QLabel>
#include <functional>

#include "core/chips/QK330RegisterImage.h"
#include "gui/app/Okapimain.h"
#include "gui/gen1/QK310unit.h"
#include "gui/qk330/QK330unit.h"
#include "tests/gui/QK330Fixture.h"

namespace qk::test {
namespace {

class QK330Model : public QK330Test {};

TEST_F(QK330Model, CaptureReadsAllSixtyOneRegistersAndResetRestoresThem) {
    board.SetRegister(0x03, 0x22);
    board.SetRegister(0x7F, 0x5A);
    QK330Form->InitSubAddresses();
    QK330Form->CaptureDefaultImage();
    const Texts frames = board.FrameTexts();
    ASSERT_EQ(frames.size(), 61u * 2);
    EXPECT_EQ(frames[2 * 54], "34 79");  // entry 54 is the first of 79h..7Fh
    EXPECT_EQ(TheSession().QK330Image().DefaultImage[60], 0x5A);
    board.ClearFrames();

    Click(OkapiForm, "QK330InitSWBitBtn");
    EXPECT_EQ(Shows(0x03), 0x22);
    EXPECT_EQ(board.FrameTexts().front(), "34 03 22");
}

// The chip was detected as a first-generation one (ID 00h), which fills only that generation's
// image: the QK330 starts from its power-on table, not from an image of zeros.
TEST_F(QK330Model, SelectionAfterAFirstGenerationDetectionUsesThePowerOnTable) {
    EXPECT_EQ(TheSession().QK330Image().DefaultImage, QK330PowerOnDefaults);
}

// A register value beyond a generation's table reads "invalid" on the main window's channel
// readout, beside the hex readout, with the whole text in its tooltip; a code of the table takes
// the readout back.
TEST_F(QK330Model, ChannelReadoutNamesAValueBeyondTheTable) {
    QLabel* readout = OkapiForm->ChannelReadout(1);
    const struct {
        std::function<void(int, QLabel*)> show;
        int code;
        const char* shown;
    } cases[] = {
        {[](int code, QLabel* label) { QK330Form->VolumeCodeText(code, label); }, 0x0AEF,
         "invalid | invalid code 0AEFh"},
        {[](int code, QLabel* label) { QK330Form->VolumeCodeText(code, label); }, 1262,
         "36.00 dB | "},
        {[](int code, QLabel* label) { QK310Form->VolumeCodeText(code, label); }, 0xFA,
         "invalid | invalid code FAh"},
        {[](int code, QLabel* label) { QK310Form->VolumeCodeText(code, label); }, 249,
         "24.0 dB | "},
    };
    for (const auto& c : cases) {
        c.show(c.code, readout);
        EXPECT_EQ((readout->text() + " | " + readout->toolTip()).toStdString(), c.shown);
        EXPECT_LE(readout->fontMetrics().horizontalAdvance(readout->text()),
                  readout->contentsRect().width());
    }
}

// Off line START leaves the power-on defaults to the first selection; nothing reaches the wire.
class QK330OffLine : public QK330Test {
  protected:
    void SetUp() override { MainWindowTest::SetUp(); }
};

TEST_F(QK330OffLine, FirstSelectionLoadsThePowerOnTable) {
    ClickOffLine();
    ClickStart();
    LogIn("pelmak");
    Click(OkapiForm, "QK340RadioButton");
    EXPECT_FALSE(OkapiForm->ChipNeedsInit());
    EXPECT_EQ(TheSession().QK330Image().DefaultImage, QK330PowerOnDefaults);
    EXPECT_EQ(Text("QK330MasterVolReadout"), "0.00 dB");
    EXPECT_TRUE(board.FrameTexts().empty());
}

}  // namespace
}  // namespace qk::test
