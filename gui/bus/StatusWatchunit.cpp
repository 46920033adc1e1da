#include "gui/bus/StatusWatchunit.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>

#include "gui/gen1/Registersunit.h"
#include "gui/qk330/QK330Regunit.h"
#include "gui/registry/Forms.h"
#include "gui/widgets/FileChoice.h"

namespace {

constexpr int LampsPerRow = 4;
// A lamp says what its bit's level means: a fault red, good green, information (either level)
// a neutral grey, a little darker while set.
constexpr const char* LampUnknown = "background: #d4d0c8; color: black; border: 1px solid gray;";
constexpr const char* LampFault = "background: #d42020; color: white; border: 1px solid #600000;";
constexpr const char* LampGood = "background: #80cc80; color: black; border: 1px solid gray;";
constexpr const char* LampInfoSet = "background: #c4c8d0; color: black; border: 1px solid gray;";
constexpr const char* LampInfoClear = "background: #ececec; color: black; border: 1px solid gray;";
constexpr const char* OffLineNote = "OFF LINE: the watch reads nothing while the bus is off line.";

// A style sheet costs a restyle of the label even when it is the same: set it only on a change.
void SetLampStyle(QLabel* lamp, const char* style) {
    if (lamp->styleSheet() != QLatin1String(style)) lamp->setStyleSheet(style);
}

QString RegisterText(uint8_t reg) {
    return QString::asprintf("%02Xh", reg);
}

const char* LampStyle(const qk::StatusBit& bit, bool level) {
    if (bit.sense == qk::BitSense::Information) return level ? LampInfoSet : LampInfoClear;
    return bit.IsFault(level) ? LampFault : LampGood;
}

// "\n0 = fault (clipping in the last 10 ms), 1 = good" for a fault bit; nothing for information.
QString SenseLine(const qk::StatusBit& bit) {
    if (bit.sense == qk::BitSense::Information) return {};
    return "\n" + QString::fromStdString(bit.SenseText());
}

}  // namespace

TStatusWatchForm::TStatusWatchForm(qk::ChipSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    ui.setupUi(this);
    setFixedSize(size());
    new QGridLayout(ui.LampPanel);
    ui.LampPanel->layout()->setContentsMargins(0, 0, 0, 0);
    ui.Timeline->SetWatch(&watch_);
    BuildLamps();
    connect(&timer_, &QTimer::timeout, this, &TStatusWatchForm::Poll);
    connect(ui.StartStopButton, &QPushButton::clicked, this,
            &TStatusWatchForm::StartStopButtonClick);
    connect(ui.ZeroButton, &QPushButton::clicked, this, &TStatusWatchForm::ZeroButtonClick);
    connect(ui.CsvButton, &QPushButton::clicked, this, &TStatusWatchForm::CsvButtonClick);
    connect(ui.IntervalSpinBox, &QSpinBox::valueChanged, this,
            &TStatusWatchForm::IntervalSpinBoxChange);
    connect(ui.CloseButton, &QPushButton::clicked, this, &TStatusWatchForm::CloseButtonClick);
    connect(&session_, &qk::ChipSession::offLineChanged, this, &TStatusWatchForm::OffLineChanged);
    // An open watch follows a newly selected chip's status registers.
    connect(&session_, &qk::ChipSession::chipSelected, this, [this](const qk::ChipInfo* chip) {
        if (chip && isVisible()) FollowChip(chip->family);
    });
}

qk::I2cMaster& TStatusWatchForm::Master() const {
    return session_.Master();
}

void TStatusWatchForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    OffLineChanged(session_.OffLine());
    if (const qk::ChipInfo* chip = session_.SelectedChip()) FollowChip(chip->family);
}

// Nothing is read while nobody watches: a closed watch stops, and starts again only when asked.
void TStatusWatchForm::CloseButtonClick() {
    if (Polling()) Stop("Stopped.");
    hide();
}

void TStatusWatchForm::closeEvent(QCloseEvent* event) {
    if (Polling()) Stop("Stopped.");
    QWidget::closeEvent(event);
}

std::optional<qk::ChipFamily> TStatusWatchForm::CheckedFamily() {
    std::optional<qk::ChipFamily> family;
    if (const qk::ChipInfo* chip = session_.SelectedChip()) family = chip->family;
    if (!family)
        ui.NoteLabel->setText("Choose a chip first: the watch reads its status registers.");
    return family;
}

// Another generation names its status bits differently: the lamps and the history start afresh.
void TStatusWatchForm::FollowChip(qk::ChipFamily family) {
    if (family == watch_.Family() && !lamps_.empty()) return;
    watch_.Reset(family);
    BuildLamps();
    ui.Timeline->update();
}

void TStatusWatchForm::BuildLamps() {
    for (QLabel* lamp : lamps_) delete lamp;
    lamps_.clear();
    auto* grid = static_cast<QGridLayout*>(ui.LampPanel->layout());
    int row = 0, column = 0;
    uint8_t lastReg = 0;
    for (const qk::StatusBit& bit : qk::StatusBits(watch_.Family())) {
        if (bit.reg != lastReg || column == LampsPerRow) {
            if (!lamps_.empty()) ++row;
            column = 0;
            lastReg = bit.reg;
        }
        auto* lamp = new QLabel(ui.LampPanel);
        lamp->setObjectName(QString("Lamp%1_%2").arg(RegisterText(bit.reg).left(2)).arg(bit.bit));
        lamp->setAlignment(Qt::AlignCenter);
        lamp->setFixedSize(150, 38);
        grid->addWidget(lamp, row, column++);
        lamps_.push_back(lamp);
    }
    ShowLamps();
}

// Each lamp: coloured by what its bit's level means; the text gives the level, the time of the last
// change and how often the bit was seen set, the tooltip says it in full with the bit's sense.
void TStatusWatchForm::ShowLamps() {
    const auto& bits = watch_.Bits();
    for (size_t i = 0; i < bits.size() && i < lamps_.size(); ++i) {
        const qk::StatusWatch::BitState& state = bits[i];
        QLabel* lamp = lamps_[i];
        const QString name = QString::fromUtf8(state.bit.name);
        const QString where = QString("%1 D%2").arg(RegisterText(state.bit.reg)).arg(state.bit.bit);
        if (!state.value) {
            lamp->setText(name);
            lamp->setToolTip(QString("%1 (%2): not read yet").arg(name, where) +
                             SenseLine(state.bit));
            SetLampStyle(lamp, LampUnknown);
            continue;
        }
        const QString time = QString::fromStdString(qk::LocalTimeText(state.changedMs, false));
        lamp->setText(QString("%1 = %2\n%3  set %4\u00d7")
                          .arg(name)
                          .arg(*state.value ? 1 : 0)
                          .arg(time)
                          .arg(state.setCount));
        lamp->setToolTip(QString("%1 (%2) = %3: %4%5\nlast change %6\nseen set %7 times")
                             .arg(name, where)
                             .arg(*state.value ? 1 : 0)
                             .arg(QString::fromStdString(state.bit.Verdict(*state.value)))
                             .arg(SenseLine(state.bit))
                             .arg(time)
                             .arg(state.setCount));
        SetLampStyle(lamp, LampStyle(state.bit, *state.value));
    }
}

void TStatusWatchForm::StartStopButtonClick() {
    if (Polling())
        Stop("Stopped.");
    else
        Start();
}

void TStatusWatchForm::Start() {
    const auto family = CheckedFamily();
    if (!family) return;
    if (session_.OffLine()) {
        OffLineChanged(true);
        return;
    }
    FollowChip(*family);
    timer_.start(ui.IntervalSpinBox->value());
    ui.StartStopButton->setText("STOP");
    ui.NoteLabel->setText(
        QString("Reading 00h and 01h every %1 ms.").arg(ui.IntervalSpinBox->value()));
    Poll();
}

void TStatusWatchForm::Stop(const QString& note) {
    timer_.stop();
    ui.StartStopButton->setText("START");
    ui.NoteLabel->setText(note);
}

void TStatusWatchForm::IntervalSpinBoxChange(int milliseconds) {
    if (!Polling()) return;
    timer_.setInterval(milliseconds);
    ui.NoteLabel->setText(QString("Reading 00h and 01h every %1 ms.").arg(milliseconds));
}

void TStatusWatchForm::OffLineChanged(bool offLine) {
    ui.StartStopButton->setEnabled(!offLine);
    ui.ZeroButton->setEnabled(!offLine);
    // Back on line only the off-line note goes: a stop's note stays until the user starts again.
    if (offLine)
        Stop(OffLineNote);
    else if (ui.NoteLabel->text() == OffLineNote)
        ui.NoteLabel->setText("");
}

// A poll waits while a modal dialog is open (a bus error's, say, shown from inside a frame) or a
// long operation holds the bus: the next tick tries again.
void TStatusWatchForm::Poll() {
    if (QApplication::activeModalWidget() || Master().Busy()) return;
    const auto family = CheckedFamily();
    if (!family) {
        Stop(ui.NoteLabel->text());
        return;
    }
    FollowChip(*family);
    uint8_t values[2] = {0, 0};
    bool ok = true;
    for (int i = 0; i < 2 && ok; ++i)
        ok = Master().I2cRead(session_.DeviceAddress(), qk::StatusRegisters[i], &values[i], 1);
    if (!ok) {
        const char* kind = Master().AckError()    ? "ACK Error"
                           : Master().WaitError() ? "Wait Error"
                                                  : "a bus error";
        Stop(QString("Polling stopped: %1. RESET on the main window clears it.").arg(kind));
        return;
    }
    const int64_t now = qk::WallClockMs();
    const bool firstPoll = watch_.LastPollMs() < 0;
    const auto transitions = watch_.Take(now, values[0], values[1]);
    ShowLamps();
    // A CSV file begins with the levels the watch started from; then come the changes.
    if (firstPoll) AppendToCsv(watch_.State());
    // The timeline moves on once a second, and at once when a bit changed.
    if (!transitions.empty() || now - timelineDrawnMs_ >= TimelineStepMs) {
        timelineDrawnMs_ = now;
        ui.Timeline->update();
    }
    AppendToCsv(transitions);
    emit Polled();
}

void TStatusWatchForm::ZeroButtonClick() {
    const auto family = CheckedFamily();
    if (!family) return;
    if (*family == qk::ChipFamily::QK330)
        QK330RegForm->Reg01SendButtonClick();
    else
        RegistersForm->Reg01SendButtonClick();
    if (Polling()) Poll();
}

void TStatusWatchForm::CsvButtonClick() {
    const QString path = qk::ChooseFileToWrite(this, "CsvFileDialog", "Append status changes to",
                                               "CSV files (*.csv)");
    if (path.isEmpty()) return;
    QFile file(path);
    if (!file.open(QIODevice::Append | QIODevice::Text)) {
        ui.NoteLabel->setText(
            QString("The CSV file cannot be written: %1").arg(file.errorString()));
        return;
    }
    if (file.size() == 0) file.write(qk::TransitionCsvHeader().c_str());
    file.close();
    csvPath_ = path;
    // Chosen while the watch runs, the file begins with the levels of the last poll.
    AppendToCsv(watch_.State());
    ui.CsvLabel->setText(QFileInfo(path).fileName());
    ui.CsvLabel->setToolTip(path);
}

// Each change is appended as it is seen; a file that can no longer be written is let go, once.
void TStatusWatchForm::AppendToCsv(const std::vector<qk::StatusWatch::Transition>& transitions) {
    if (csvPath_.isEmpty() || transitions.empty()) return;
    std::string text;
    for (const auto& transition : transitions) text += qk::TransitionCsvLine(transition);
    QFile file(csvPath_);
    const bool ok = file.open(QIODevice::Append | QIODevice::Text) &&
                    file.write(text.data(), static_cast<qint64>(text.size())) ==
                        static_cast<qint64>(text.size());
    if (ok) return;
    ui.NoteLabel->setText(QString("The CSV file %1 cannot be written (%2); changes are no longer "
                                  "saved.")
                              .arg(QFileInfo(csvPath_).fileName(), file.errorString()));
    csvPath_.clear();
    ui.CsvLabel->setText("no CSV file");
}
