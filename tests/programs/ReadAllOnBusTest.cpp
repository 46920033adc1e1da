// READ ALL in the register editors of both generations through each driver: the same frames, data
// log and texts shown as on the board's own pins, and one request a frame from an adapter.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <tuple>

#include "tests/programs/ProgramOnBus.h"
#include "tests/programs/StartOutcome.h"

namespace qk::test {
namespace {

using board::Chip;
using Strings = std::vector<std::string>;

struct ReadAllCase {
    const char* name;
    Chip chip;
    const char* login;       // the access code that offers the chip; none: START selects it
    const char* chipButton;  // the chip the user then selects
    const char* editorButton;
    const char* editor;  // its window
    // A register the chip changes on its own before READ ALL, so that what is shown comes from the
    // read.
    uint8_t reg, value;
    size_t frames;  // the reads, and the registers with setup windows written back as read
};

void PrintTo(const ReadAllCase& c, std::ostream* out) {
    *out << c.name;
}

const ReadAllCase kReadAlls[] = {
    {"QK310", Chip::QK310, nullptr, nullptr, "QK310RegistersBitBtn", "RegistersForm", 0x12, 0x0B,
     18},
    {"QK330", Chip::QK330, "pelmak", "QK330RadioButton", "QK330RegistersBitBtn", "QK330RegForm",
     0x13, 0x29, 28},
};

QWidget* Window(const char* name) {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == name) return window;
    return nullptr;
}

void Click(QWidget* window, const char* button) {
    QTest::mouseClick(window->findChild<QAbstractButton*>(button), Qt::LeftButton);
}

// What a window shows, control by control: its boxes ticked or not, its fields' and labels' texts.
Strings Shows(const QWidget& window) {
    Strings shown;
    const auto show = [&shown](const QObject* control, const QString& text) {
        shown.push_back(control->objectName().toStdString() + " " + text.toStdString());
    };
    for (const QCheckBox* box : window.findChildren<QCheckBox*>())
        show(box, box->isChecked() ? "x" : "-");
    for (const QComboBox* list : window.findChildren<QComboBox*>()) show(list, list->currentText());
    for (const QLineEdit* field : window.findChildren<QLineEdit*>()) show(field, field->text());
    for (const QLabel* label : window.findChildren<QLabel*>()) show(label, label->text());
    return shown;
}

using ReadAllParam = std::tuple<ReadAllCase, Driver>;

class ReadAll : public ::testing::TestWithParam<ReadAllParam> {};

TEST_P(ReadAll, GivesWhatTheBoardsOwnPinsGive) {
    const auto& [c, bus] = GetParam();
    // START, the chip selected, its register editor open, then READ ALL: its frames only.
    const auto readAll = [&c, bus](PortIo& port, const AdapterChoice& adapter,
                                   board::VirtualBoard& board, KernelBus* kernel) {
        return StartOn(port, adapter, board, 0, [&](StartOutcome& outcome) {
            if (c.login) MainWindowReadings::LogIn(c.login);
            if (c.chipButton) Click(OkapiForm, c.chipButton);
            Click(OkapiForm, c.editorButton);
            QWidget* editor = Window(c.editor);
            ASSERT_NE(editor, nullptr);
            board.SetRegister(c.reg, c.value);
            board.ClearFrames();
            const long requestsBefore = kernel ? kernel->Requests() : 0;
            Click(editor, "ReadAllButton");
            outcome.shown = Shows(*editor);
            if (kernel && bus != Driver::Ppdev) {
                EXPECT_EQ(kernel->Requests() - requestsBefore, long(c.frames))
                    << "one transfer or USB round trip a frame";
            }
        });
    };
    board::VirtualBoard direct(c.chip);
    const StartOutcome expected = readAll(direct, {}, direct, nullptr);
    ASSERT_EQ(expected.frames.size(), c.frames);

    board::VirtualBoard behindDriver(c.chip);
    KernelBus kernel(behindDriver, PresentNode(bus));
    EXPECT_EQ(readAll(kernel.ProgramPort(), kernel.Adapter(), behindDriver, &kernel), expected);
}

INSTANTIATE_TEST_SUITE_P(Editors, ReadAll,
                         ::testing::Combine(::testing::ValuesIn(kReadAlls),
                                            ::testing::Values(Driver::Ppdev, Driver::I2cDev,
                                                              Driver::Ftdi)),
                         [](const ::testing::TestParamInfo<ReadAllParam>& test) {
                             return std::string(std::get<ReadAllCase>(test.param).name) +
                                    DriverName(std::get<Driver>(test.param));
                         });

}  // namespace
}  // namespace qk::test
