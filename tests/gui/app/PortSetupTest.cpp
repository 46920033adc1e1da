#include <QMessageBox>

#include "core/bus/PpdevPort.h"
#include "gui/app/Okapimain.h"
#include "tests/gui/ProgramFixture.h"

namespace qk::test {
namespace {

TEST(PortSetup, AMissingPortIsToldOnceWithReasonAndRemedyAndActsAsAnEmptyPort) {
    std::vector<std::string> dialogs;
    QString message;
    const ModalPresenter previous = SetModalPresenter([&](QDialog& dialog) {
        dialogs.push_back(dialog.objectName().toStdString());
        if (auto* box = qobject_cast<QMessageBox*>(&dialog)) message = box->text();
    });
    {
        PpdevPort port("/dev/no-such-parport");
        Program program(port);
        program.Show();
        EXPECT_EQ(dialogs, std::vector<std::string>{"PortSetupMessage"});
        EXPECT_TRUE(message.contains("/dev/no-such-parport")) << message.toStdString();
        EXPECT_TRUE(message.contains("No such file or directory")) << message.toStdString();
        EXPECT_TRUE(message.contains("modprobe ppdev")) << message.toStdString();

        // Every line reads high: nothing ever acknowledges.
        program.Session().ParallelBus().I2cResetErrors();
        EXPECT_FALSE(program.Session().ParallelBus().I2cProbe(0x34, 0, nullptr, 0));
    }
    SetModalPresenter(previous);
}

}  // namespace
}  // namespace qk::test
