#pragma once
#include <QComboBox>
#include <QFile>
#include <QRadioButton>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "tests/gui/MainWindowFixture.h"

namespace qk::test {

// What a user sees of one START, and what reached the chip and the data log.
struct StartOutcome {
    using Strings = std::vector<std::string>;
    Strings frames;
    Strings log;
    Strings status;
    Strings checked;
    Strings dialogs;
    std::string errorLine;
    Strings shown;  // what a window the test looked at after START shows
    bool operator==(const StartOutcome&) const = default;
};

inline void PrintTo(const StartOutcome& o, std::ostream* out) {
    *out << "frames:";
    for (const auto& f : o.frames) *out << " [" << f << "]";
    *out << " log:" << ::testing::PrintToString(o.log)
         << " status:" << ::testing::PrintToString(o.status)
         << " checked:" << ::testing::PrintToString(o.checked)
         << " dialogs:" << ::testing::PrintToString(o.dialogs) << " red: " << o.errorLine
         << " shown:" << ::testing::PrintToString(o.shown);
}

// The main window's readings, without a program of the fixture's own.
struct MainWindowReadings : MainWindowTest {
    using MainWindowTest::DataLogLines;
    using MainWindowTest::LogIn;
    using MainWindowTest::StatusLines;
    using MainWindowTest::Text;
};

// The program on `port` (or the adapter `adapter`) in front of `board`: the data log on, then
// START with the address list at `addressItem`; then what `then` does, if anything, before the
// readings.
inline StartOutcome StartOn(PortIo& port, const AdapterChoice& adapter, board::VirtualBoard& board,
                            int addressItem,
                            const std::function<void(StartOutcome&)>& then = nullptr) {
    using Readings = MainWindowReadings;
    StartOutcome outcome;
    QFile::remove("DataLog.txt");
    const ModalPresenter previous = SetModalPresenter(
        [&](QDialog& dialog) { outcome.dialogs.push_back(dialog.objectName().toStdString()); });
    {
        Program program(port, adapter);
        I2CForm->SetTiming(SimulatedMachine(4).Timing());
        program.Show();
        OkapiForm->findChild<QComboBox*>("IICAddressComboBox")->setCurrentIndex(addressItem);
        for (const char* button : {"DataLogCheckBox", "StartBitBtn"})
            QTest::mouseClick(OkapiForm->findChild<QAbstractButton*>(button), Qt::LeftButton);
        if (then) then(outcome);
        outcome.frames = board.FrameTexts();
        outcome.log = Readings::DataLogLines();
        outcome.status = Readings::StatusLines();
        for (QRadioButton* button : OkapiForm->findChildren<QRadioButton*>())
            if (button->isChecked()) outcome.checked.push_back(button->objectName().toStdString());
        outcome.errorLine = Readings::Text("ErrorLabel").toStdString();
    }
    SetModalPresenter(previous);
    QFile::remove("DataLog.txt");
    return outcome;
}

}  // namespace qk::test
