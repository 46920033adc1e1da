#pragma once
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

#include "core/snapshot/SnapshotCompare.h"
#include "core/snapshot/SnapshotRestore.h"
#include "gui/session/ChipSession.h"
#include "ui_Snapshotunit.h"

// "Snapshot": saves the selected chip's registers to a file, compares a file with the chip and the
// power-on defaults, and restores a file to the chip with a read-back verification. Off line it
// works on the program's image and the log.
class TSnapshotForm : public QWidget {
    Q_OBJECT
  public:
    explicit TSnapshotForm(qk::ChipSession& session, QWidget* parent = nullptr);

    enum class FileUse { Save, Open };
    // Asks for a file (the standard dialog, starting in the last folder); empty when cancelled.
    using FileChooser = std::function<QString(FileUse use, const QString& folder)>;
    void SetFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }

    void SaveButtonClick();
    void CompareButtonClick();
    void RestoreButtonClick();
    void CopyButtonClick();
    void CloseButtonClick();

  private:
    qk::ChipSession& session_;
    QString ChooseFile(FileUse use);
    void ShowResult(const QString& text, bool failed = false);
    void ShowDifferences(const std::vector<qk::Difference>& differences);
    // The chip's registers now: read from the chip, or off line from the image.
    std::optional<qk::Snapshot> TakeSnapshot(const QString& label);
    std::optional<qk::Snapshot> ReadFile(const QString& path);

    Ui::TSnapshotForm ui;
    FileChooser chooseFile_;
    std::vector<qk::Difference> differences_;
};
