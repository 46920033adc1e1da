#include <QLabel>
#include <QPushButton>

#include "gui/bus/AckErrorDialogunit.h"
#include "gui/bus/WaitErrorDialogunit.h"
#include "gui/widgets/Colors.h"
#include "tests/gui/ProgramFixture.h"

namespace qk::test {
namespace {

struct DialogCase {
    const char* name;
    QDialog* (*dialog)();
    const char* title;
    const char* heading;
    const char* headingText;
    const char* message;
    const char* messageText;
};

const DialogCase kDialogs[] = {
    {"Ack", []() -> QDialog* { return ACK_ErrorDialogForm; }, "ACK Error!", "ACK_ErrorLabel",
     "ACK Error!", "ACKErrorLabel2",
     "The Device is not sending an Acknowledge command back to the host processor. Verify the "
     "Device is powered on, the parallel port is connected and in EPP mode. If RESET does not "
     "clear this error then EXIT the program and verify connections."},
    {"Wait", []() -> QDialog* { return WaitErrorDialogForm; }, "Wait Error!", "WaitErrorLabel",
     "WAIT Error!", "WaitErrorLabel2",
     "The SCL line is not allowed to go high. Verify the Device is powered on, the parallel port "
     "is connected and in EPP mode.  If RESET does not clear this error then EXIT the program "
     "and verify connections."},
};

class BusErrorDialog : public ProgramTest, public ::testing::WithParamInterface<DialogCase> {};

TEST_P(BusErrorDialog, ShowsItsTextsRedOnSilver) {
    const DialogCase& c = GetParam();
    QDialog* dialog = c.dialog();
    EXPECT_EQ(dialog->windowTitle(), c.title);
    auto* heading = Child<QLabel>(dialog, c.heading);
    auto* message = Child<QLabel>(dialog, c.message);
    EXPECT_EQ(heading->text(), c.headingText);
    EXPECT_TRUE(heading->font().bold());
    EXPECT_EQ(message->text(), c.messageText);
    EXPECT_TRUE(message->wordWrap());
    for (QLabel* label : {heading, message}) EXPECT_EQ(TextColor(label), BgrColor(clRed));
    EXPECT_EQ(dialog->palette().color(QPalette::Window), BgrColor(clSilver));
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
}

TEST_P(BusErrorDialog, OkIsTheDefaultButtonAndClosesTheDialog) {
    QDialog* dialog = GetParam().dialog();
    auto* ok = Child<QPushButton>(dialog, "OKBtn");
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_TRUE(ok->isDefault());
    dialog->open();
    ASSERT_TRUE(dialog->isVisible());
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

INSTANTIATE_TEST_SUITE_P(Dialogs, BusErrorDialog, ::testing::ValuesIn(kDialogs),
                         [](const auto& test) { return test.param.name; });

using BusErrors = ProgramTest;

TEST_F(BusErrors, AMissingAcknowledgeShowsTheAckDialogOnce) {
    board.SetFault(board::Fault::NoDevice);
    const uint8_t bytes[] = {0x13, 0xC9};
    Bus().I2cWrite(0x34, bytes, 2);
    Bus().I2cWrite(0x34, bytes, 2);
    EXPECT_EQ(dialogs, std::vector<std::string>{"ACK_ErrorDialogForm"});
    EXPECT_EQ(Child<QLabel>(OkapiForm, "FirstErrorlabel")->text(), "ACK Error");
}

TEST_F(BusErrors, AStuckClockShowsTheWaitDialogThenTheAckDialog) {
    board.SetFault(board::Fault::SclStuckLow);
    const uint8_t bytes[] = {0x13};
    Bus().I2cWrite(0x34, bytes, 1);
    EXPECT_EQ(dialogs, (std::vector<std::string>{"WaitErrorDialogForm", "ACK_ErrorDialogForm"}));
    EXPECT_EQ(Child<QLabel>(OkapiForm, "FirstErrorlabel")->text(), "Wait Error");
    EXPECT_EQ(Child<QLabel>(OkapiForm, "SecondErrorlabel")->text(), "ACK Error");
}

}  // namespace
}  // namespace qk::test
