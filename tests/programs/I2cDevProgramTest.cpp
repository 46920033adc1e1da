// The program on an I2C adapter through i2c-dev, where only the adapter behaves so: the SCL window
// with the clock the adapter's, and a failure in the adapter's own words. (START, bus errors after
// it, the register editor and the refused adapters: ProgramOnBusTest.cpp.)
#include <QLabel>

#include "tests/gui/MainWindowFixture.h"
#include "tests/programs/ProgramOnBus.h"

namespace qk::test {
namespace {

using Strings = std::vector<std::string>;

// The program on the adapter, not started.
class OnI2cDev : public On<MainWindowTest> {
  protected:
    OnI2cDev() : On(Driver::I2cDev) {}
};

// --- The SCL window while the adapter times the clock ---

TEST_F(OnI2cDev, SclWindowSaysTheAdapterSetsTheClockAndOffersNoCount) {
    EXPECT_EQ(Child<QLabel>(I2CForm, "FreqAdjustLabel")->text(), "By Adapter");
    for (const char* control : {"UpDownFreqAdjust", "FreqAdjustButton", "CalibrateButton"})
        EXPECT_FALSE(Child(I2CForm, control)->isEnabled()) << control;
    EXPECT_TRUE(Child(I2CForm, "CloseButton")->isEnabled());
}

// --- Any failure that is neither a missing acknowledge nor a time-out, in the adapter's words ---

TEST_F(OnI2cDev, AFailingAdapterIsReportedOnceInItsOwnWords) {
    EmulatedI2cDev::SetNode(EmulatedI2cDev::Node::Failing);
    ClickStart();
    EXPECT_EQ(Text("ErrorLabel"), "/dev/i2c-7: Input/output error");
    EXPECT_EQ(dialogs, Strings{"NoDeviceDlgForm"});
}

}  // namespace
}  // namespace qk::test
