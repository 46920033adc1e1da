// Numbers keep their "." under a locale with a decimal comma (ctest runs the widget tests once
// more with LC_ALL=de_DE.UTF-8).
#include <QLabel>
#include <QLocale>
#include <QSlider>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "gui/app/Okapimain.h"
#include "gui/gen1/Dcoffsetunit.h"
#include "tests/gui/ProgramFixture.h"

namespace qk::test {
namespace {

using DecimalComma = ProgramTest;

TEST_F(DecimalComma, ReadoutsKeepTheirPoint) {
    const char* all = std::getenv("LC_ALL");
    if (!all || std::strncmp(all, "de_DE", 5) != 0) GTEST_SKIP() << "run with LC_ALL=de_DE.UTF-8";
    ASSERT_EQ(QLocale::system().decimalPoint(), ",") << "the decimal-comma locale is in force";

    char text[16];
    std::snprintf(text, sizeof text, "%2.1f", -0.5);
    EXPECT_STREQ(text, "-0.5") << "C library number formats";

    Click(OkapiForm, "I2C_Bypass");
    Click(OkapiForm, "StartBitBtn");
    Click(OkapiForm, "QK310RadioButton");
    auto* master = Child<QSlider>(OkapiForm, "MasterVolTrackBar");
    master->setValue(49);
    EXPECT_EQ(Child<QLabel>(OkapiForm, "MasterVolReadout")->text(), "-0.5 dB");
    DCOffsetForm->findChild<QSlider*>("Ch1TrackBar")->setValue(128);
    EXPECT_EQ(Child<QLabel>(DCOffsetForm, "Ch1Readout")->text(), "-0.012%");
}

}  // namespace
}  // namespace qk::test
