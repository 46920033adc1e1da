#include "gui/app/Snapshotunit.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>
#include <QSettings>
#include <algorithm>

#include "core/snapshot/SnapshotCompare.h"
#include "core/snapshot/SnapshotFile.h"
#include "gui/app/SnapshotChip.h"

namespace {

constexpr auto kFolderKey = "snapshot/folder";
constexpr auto kFileFilter = "Snapshots (*.txt);;All files (*)";
constexpr int kProgressDelayMs = 400;  // work shorter than this shows no progress bar
constexpr auto kNoChip = "Select a chip first";

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// The standard dialog (Qt's own where the platform has none), starting in `folder`.
QString AskForFile(QWidget* parent, TSnapshotForm::FileUse use, const QString& folder) {
    if (use == TSnapshotForm::FileUse::Save)
        return QFileDialog::getSaveFileName(parent, "Save snapshot", folder, kFileFilter);
    return QFileDialog::getOpenFileName(parent, "Open snapshot", folder, kFileFilter);
}

// A cancellable progress bar for work that takes longer than a moment. The bus counts as held
// for the time of it, so that nothing polls between two registers while the bar's events run.
class Progress {
  public:
    Progress(QWidget* parent, const QString& label, qk::I2cMaster& bus)
        : busy_(bus), dialog_(label, "CANCEL", 0, 1, parent) {
        dialog_.setWindowModality(Qt::WindowModal);
        dialog_.setMinimumDuration(kProgressDelayMs);
    }
    qk::WorkProgress Callback() {
        return [this](int done, int total) {
            dialog_.setMaximum(total);
            dialog_.setValue(done);
            return !dialog_.wasCanceled();
        };
    }

  private:
    const qk::I2cMaster::LongOperation busy_;
    QProgressDialog dialog_;
};

}  // namespace

TSnapshotForm::TSnapshotForm(qk::ChipSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    ui.setupUi(this);
    chooseFile_ = [this](FileUse use, const QString& folder) {
        return AskForFile(this, use, folder);
    };
    ui.DifferencesTable->horizontalHeader()->setStretchLastSection(true);
    const std::pair<QPushButton*, void (TSnapshotForm::*)()> handlers[] = {
        {ui.SaveButton, &TSnapshotForm::SaveButtonClick},
        {ui.CompareButton, &TSnapshotForm::CompareButtonClick},
        {ui.RestoreButton, &TSnapshotForm::RestoreButtonClick},
        {ui.CopyButton, &TSnapshotForm::CopyButtonClick},
        {ui.CloseButton, &TSnapshotForm::CloseButtonClick},
    };
    for (auto [button, handler] : handlers) connect(button, &QPushButton::clicked, this, handler);
}

QString TSnapshotForm::ChooseFile(FileUse use) {
    QSettings settings("qk3xx", "qk3xx");
    const QString path = chooseFile_(use, settings.value(kFolderKey).toString());
    if (!path.isEmpty()) settings.setValue(kFolderKey, QFileInfo(path).absolutePath());
    return path;
}

void TSnapshotForm::ShowResult(const QString& text, bool failed) {
    ui.ResultLabel->setStyleSheet(failed ? "color: #c00000;" : "");
    ui.ResultLabel->setText(text);
}

std::optional<qk::Snapshot> TSnapshotForm::TakeSnapshot(const QString& label) {
    std::optional<qk::SnapshotChip> chip = qk::SelectedSnapshotChip(session_);
    if (!chip) return std::nullopt;
    Progress progress(this, label, chip->bus);
    std::optional<qk::Snapshot> snapshot = qk::TakeSnapshot(
        chip->family, chip->registers, chip->bus, chip->image, progress.Callback());
    if (snapshot) qk::StampSnapshot(*snapshot, chip->name, chip->writeAddress);
    return snapshot;
}

std::optional<qk::Snapshot> TSnapshotForm::ReadFile(const QString& path) {
    const std::optional<qk::SnapshotChip> chip = qk::SelectedSnapshotChip(session_);
    if (!chip) return std::nullopt;
    qk::ParsedSnapshot parsed = qk::ReadSnapshotFile(path.toStdString(), chip->family);
    if (!parsed.snapshot)
        ShowResult(Text(qk::SnapshotErrorText(QFileInfo(path).fileName().toStdString(), parsed)),
                   true);
    return parsed.snapshot;
}

void TSnapshotForm::SaveButtonClick() {
    if (!qk::SelectedSnapshotChip(session_)) return ShowResult(kNoChip, true);
    const QString path = ChooseFile(FileUse::Save);
    if (path.isEmpty()) return;
    const std::optional<qk::Snapshot> snapshot = TakeSnapshot("Reading the registers...");
    if (!snapshot) return ShowResult("Save cancelled: nothing was written");
    const std::string error = qk::SaveTextFile(path.toStdString(), qk::FormatSnapshot(*snapshot));
    if (!error.empty()) return ShowResult(Text(error), true);
    const auto unreadable = std::count_if(snapshot->values.begin(), snapshot->values.end(),
                                          [](const auto& value) { return !value.second; });
    QString result = QString("Saved %1 registers to %2").arg(snapshot->values.size()).arg(path);
    if (unreadable) result += QString(" (%1 could not be read: XX)").arg(unreadable);
    ShowResult(result, unreadable != 0);
}

void TSnapshotForm::CompareButtonClick() {
    const std::optional<qk::SnapshotChip> chip = qk::SelectedSnapshotChip(session_);
    if (!chip) return ShowResult(kNoChip, true);
    const QString path = ChooseFile(FileUse::Open);
    if (path.isEmpty()) return;
    const std::optional<qk::Snapshot> file = ReadFile(path);
    if (!file) return;
    const std::optional<qk::Snapshot> now = TakeSnapshot("Reading the registers...");
    if (!now) return ShowResult("Compare cancelled");
    ShowDifferences(qk::CompareSnapshots(*file, *now, qk::PowerOnSnapshot(chip->family, chip->name),
                                         ui.AllRegistersCheckBox->isChecked()));
    ShowResult(QString("%1 registers of %2 differ from the %3 or the defaults")
                   .arg(differences_.size())
                   .arg(QFileInfo(path).fileName())
                   .arg(chip->bus.OffLine() ? "image (off line)" : "chip"));
}

void TSnapshotForm::ShowDifferences(const std::vector<qk::Difference>& differences) {
    differences_ = differences;
    ui.DifferencesTable->setRowCount(static_cast<int>(differences.size()));
    for (int row = 0; row < static_cast<int>(differences.size()); ++row) {
        const qk::Difference& d = differences[row];
        // The name column names the register: the fields column starts with the field.
        QStringList fields;
        for (const std::string& field : d.fields) {
            QString text = Text(field);
            if (text.startsWith(Text(d.name))) text = text.mid(int(d.name.size())).trimmed();
            if (text.startsWith(':')) text = text.mid(1).trimmed();
            fields << text;
        }
        const QString cells[] = {QString::asprintf("%02Xh", d.subAddress),
                                 Text(d.name),
                                 Text(d.file),
                                 Text(d.chip),
                                 Text(d.defaultValue),
                                 fields.join("\n")};
        for (int column = 0; column < 6; ++column)
            ui.DifferencesTable->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    ui.DifferencesTable->resizeColumnsToContents();
    ui.DifferencesTable->resizeRowsToContents();
}

void TSnapshotForm::RestoreButtonClick() {
    std::optional<qk::SnapshotChip> chip = qk::SelectedSnapshotChip(session_);
    if (!chip) return ShowResult(kNoChip, true);
    const QString path = ChooseFile(FileUse::Open);
    if (path.isEmpty()) return;
    const std::optional<qk::Snapshot> file = ReadFile(path);
    if (!file) return;
    const qk::RestorePlan plan = qk::PlanRestore(
        *file,
        {.includeTestRegisters = chip->testRegisters, .keepChannelsMuted = chip->muteAllEngaged});
    Progress progress(this, "Restoring the registers...", chip->bus);
    const qk::RestoreOutcome outcome =
        qk::RunRestore(plan, chip->family, chip->registers, chip->bus, progress.Callback());
    // The windows follow what the chip now holds: what was written (action bits inactive), as read
    // back, but the file's channel mutes that MUTE ALL holds back. A restore cut short leaves them
    // as they were.
    using Result = qk::RestoreOutcome::Result;
    if (outcome.result != Result::BusError && outcome.result != Result::Cancelled) {
        qk::Snapshot shown;
        for (const qk::RegisterWrite& write : plan.writes)
            for (size_t k = 0; k < write.bytes.size(); ++k)
                shown.values[uint8_t(write.subAddress + k)] = write.bytes[k];
        for (const auto& [sub, value] : outcome.readBack.values) shown.values[sub] = value;
        if (plan.heldMuteValue)
            shown.values[qk::MapOf(chip->family).muteRegister] = plan.heldMuteValue;
        chip->showValues(shown);
    }
    QString text = Text(outcome.message);
    for (const std::string& note : plan.notes) text += "\n" + Text(note);
    ShowResult(text, outcome.result != Result::Verified && outcome.result != Result::NotVerified);
}

void TSnapshotForm::CopyButtonClick() {
    QApplication::clipboard()->setText(Text(qk::DifferencesText(differences_)));
}

void TSnapshotForm::CloseButtonClick() {
    hide();
}
