// START is the main window's default button: Enter presses it while its panel shows.
#include <QTest>

#include "tests/gui/MainWindowFixture.h"

namespace qk::test {
namespace {

struct EnterCase {
    const char* name;
    const char* control;  // where the key is typed; empty: the window itself
    Qt::Key key;
};

void PrintTo(const EnterCase& c, std::ostream* out) {
    *out << c.name;
}

class DefaultButton : public MainWindowTest, public ::testing::WithParamInterface<EnterCase> {
  protected:
    void TypeEnter() {
        const EnterCase& c = GetParam();
        QTest::keyClick(*c.control ? Child(OkapiForm, c.control) : OkapiForm, c.key);
    }
};

TEST_P(DefaultButton, EnterPressesStartWhileItsPanelShows) {
    TypeEnter();
    EXPECT_FALSE(Shown(OkapiForm, "StartPanel"));
    EXPECT_EQ(CheckedChipButtons(), std::vector<std::string>{"QK310RadioButton"});

    board.ClearFrames();
    TypeEnter();
    EXPECT_TRUE(board.FrameTexts().empty()) << "START is offered once";
}

INSTANTIATE_TEST_SUITE_P(Keys, DefaultButton,
                         ::testing::Values(EnterCase{"ReturnInTheWindow", "", Qt::Key_Return},
                                           EnterCase{"KeypadEnterInTheWindow", "", Qt::Key_Enter},
                                           EnterCase{"ReturnInTheAddressList", "IICAddressComboBox",
                                                     Qt::Key_Return}),
                         [](const auto& instance) { return std::string(instance.param.name); });

using LoginEnter = MainWindowTest;

TEST_F(LoginEnter, EnterInTheLoginEditIsTheLoginsNotStarts) {
    Child<QAbstractButton>(OkapiForm, "HiddenButton")->click();
    QTest::keyClicks(Child(OkapiForm, "LoginEdit"), "pelmak");
    QTest::keyClick(Child(OkapiForm, "LoginEdit"), Qt::Key_Return);
    EXPECT_FALSE(Shown(OkapiForm, "LoginEdit")) << "logged in";
    EXPECT_TRUE(Shown(OkapiForm, "StartPanel"));
    EXPECT_TRUE(board.FrameTexts().empty());
}

}  // namespace
}  // namespace qk::test
