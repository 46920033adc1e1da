// The SE offset window: its byte and number edits, the calculator, APPLY and READ ALL on a
// virtual QK330.
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <string>

#include "tests/gui/ProgramFixture.h"

namespace qk::test {
namespace {

using Frames = std::vector<std::string>;
using Texts = std::vector<std::string>;

class SeOffset : public ProgramTest {
  protected:
    SeOffset() : ProgramTest(board::Chip::QK330) {}
    void SetUp() override {
        ProgramTest::SetUp();
        TheSession().QK330Image().InitSubAddresses();  // as chip selection does
        OpenWindow(QK330SEOffsetRegForm);
    }

    static QLineEdit* Edit(const std::string& name) {
        return Child<QLineEdit>(QK330SEOffsetRegForm, name.c_str());
    }
    // The user replaces an edit's text by typing.
    static void Type(const std::string& name, const QString& text) {
        QLineEdit* edit = Edit(name);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    static void TypeBytes(const Texts& bytes) {
        for (size_t k = 0; k < bytes.size(); ++k)
            Type("Byte" + std::to_string(k + 1) + "Edit", QString::fromStdString(bytes[k]));
    }
    static Texts Shown(const Texts& names) {
        Texts texts;
        for (const std::string& name : names) texts.push_back(Edit(name)->text().toStdString());
        return texts;
    }
    static Texts Bytes() { return Shown({"Byte1Edit", "Byte2Edit", "Byte3Edit", "Byte4Edit"}); }
    static std::string Number() { return Edit("SEOffsetFloatEdit")->text().toStdString(); }
    static Texts Calculator() {
        return Shown({"PSUEdit", "R1Edit", "R2Edit", "PSUFactorEdit", "RFactorEdit"});
    }
    void SetChipBytes(const std::vector<uint8_t>& bytes) {
        for (size_t k = 0; k < bytes.size(); ++k)
            board.SetRegister(static_cast<uint8_t>(0x32 + k), bytes[k]);
    }
};

TEST_F(SeOffset, FloatEnterShowsTheBytesAndClearsTheCalculatorThenApplyWritesThem) {
    Type("SEOffsetFloatEdit", "0.5");
    Click(QK330SEOffsetRegForm, "FloatBitBtn");
    EXPECT_EQ(Bytes(), (Texts{"20", "00", "00", "00"}));
    EXPECT_EQ(Calculator(), (Texts{"0", "0", "0", "0", "0"}));
    Click(QK330SEOffsetRegForm, "SendButton");
    EXPECT_EQ(board.FrameTexts(), (Frames{"34 32 20", "34 33 00", "34 34 00", "34 35 00"}));
}

TEST_F(SeOffset, CalculateReadoutsFromSupplyAndDividerWriteNothing) {
    Click(QK330SEOffsetRegForm, "CalcSEOffsetButton");
    EXPECT_EQ(Shown({"PSUFactorEdit", "RFactorEdit"}),
              (Texts{"0.666666666666667", "0.666666666666667"}));
    EXPECT_EQ(Number(), "0.444444444444445");
    EXPECT_EQ(Bytes(), (Texts{"1c", "71", "c7", "1c"}));
    EXPECT_TRUE(board.FrameTexts().empty());
}

TEST_F(SeOffset, ATextThatIsNoNumberStopsTheCalculatorWithAMessage) {
    std::vector<std::string> messages;
    const ModalPresenter previous = SetModalPresenter([&messages](QDialog& dialog) {
        messages.push_back(static_cast<QMessageBox&>(dialog).text().toStdString());
    });
    Type("R1Edit", "1k");  // "", "1", "1k"
    const Texts factors = Shown({"PSUFactorEdit", "RFactorEdit"});
    Click(QK330SEOffsetRegForm, "CalcSEOffsetButton");
    SetModalPresenter(previous);
    EXPECT_EQ(messages, (std::vector<std::string>{"'' is not a valid floating point value",
                                                  "'1k' is not a valid floating point value",
                                                  "'1k' is not a valid floating point value"}));
    EXPECT_EQ(factors, (Texts{"0.666666666666667", "0.999500249875062"}))
        << "as computed for R1 = 1, the last text that was a number";
    EXPECT_EQ(Number(), "0.0000") << "CALCULATE stopped";
}

TEST_F(SeOffset, ApplyTakesTheFirstTwoHexDigitsOfEachEdit) {
    TypeBytes({"7", "2a", "g1", ""});
    Click(QK330SEOffsetRegForm, "SendButton");
    EXPECT_EQ(board.FrameTexts(), (Frames{"34 32 70", "34 33 2A", "34 34 01", "34 35 00"}));
}

TEST_F(SeOffset, HexThenFloatEnterReadoutsRoundToSinglePrecision) {
    TypeBytes({"1c", "71", "c7", "1c"});
    Click(QK330SEOffsetRegForm, "HexBitBtn");
    EXPECT_EQ(Number(), "0.444444447755813598632812500000");
    Click(QK330SEOffsetRegForm, "FloatBitBtn");
    EXPECT_EQ(Bytes(), (Texts{"1c", "71", "c7", "20"}));
}

TEST_F(SeOffset, ReadAllReadsEveryRegisterBeforeWritingAnyBack) {
    TypeBytes({"ff", "ff", "ff", "ff"});  // what the window held before
    SetChipBytes({0x1C, 0x71, 0xC7, 0x1C});
    board.ClearFrames();
    Click(QK330SEOffsetRegForm, "ReadAllButton");
    const Frames rounded = {"34 32 1C", "34 33 71", "34 34 C7", "34 35 20"};
    Frames expected = {"34 32", "35 1C", "34 33", "35 71", "34 34", "35 C7", "34 35", "35 1C"};
    for (int show = 0; show < 4; ++show)
        expected.insert(expected.end(), rounded.begin(), rounded.end());
    EXPECT_EQ(board.FrameTexts(), expected);
    EXPECT_EQ(Bytes(), (Texts{"1c", "71", "c7", "20"}));
    EXPECT_EQ(TheSession().QK330Image().CurrentImage[53], 0x20);
}

TEST_F(SeOffset, OffLineReadAllShowsZero) {
    Child<QAbstractButton>(OkapiForm, "I2C_Bypass")->click();
    SetChipBytes({0x20, 0x41, 0x00, 0x00});
    Click(QK330SEOffsetRegForm, "ReadAllButton");
    EXPECT_EQ(Bytes(), (Texts{"00", "00", "00", "00"}));
    EXPECT_EQ(Number(), "0.000000000000000000000000000000");
}

}  // namespace
}  // namespace qk::test
