#pragma once
#include <QTimer>
#include <QWidget>
#include <vector>

#include "core/chips/StatusWatch.h"
#include "gui/session/ChipSession.h"
#include "ui_StatusWatchunit.h"

class QLabel;
namespace qk {
class I2cMaster;
}

// "Status Watch": reads the chip's two status registers (00h, 01h) at an interval and shows each
// status bit as a lamp coloured by what its level means (the register map's sense of the bit),
// with a timeline since START and, if chosen, a CSV file of the levels at START and every change.
// It only ever reads; the one write is its Zero, the register editor's own. Polls run on the GUI
// thread between user operations and wait while a modal dialog is open or the bus is held. A bus
// error stops the polling and says so on the window; closing the window stops it too, and it shows
// as stopped when it is opened again.
class TStatusWatchForm : public QWidget {
    Q_OBJECT
  public:
    explicit TStatusWatchForm(qk::ChipSession& session, QWidget* parent = nullptr);

    bool Polling() const { return timer_.isActive(); }
    // One poll now, as the timer's tick does.
    void Poll();

    Ui::TStatusWatchForm ui;

  signals:
    // The status registers have been read (each poll that reached the chip).
    void Polled();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    qk::ChipSession& session_;
    void StartStopButtonClick();
    void CloseButtonClick();
    void ZeroButtonClick();
    void CsvButtonClick();
    void IntervalSpinBoxChange(int milliseconds);
    void OffLineChanged(bool offLine);

    void Start();
    void Stop(const QString& note);
    // The family of the checked chip; none (and a note) before a chip is chosen.
    std::optional<qk::ChipFamily> CheckedFamily();
    void FollowChip(qk::ChipFamily family);
    void BuildLamps();
    void ShowLamps();
    void AppendToCsv(const std::vector<qk::StatusWatch::Transition>& transitions);
    qk::I2cMaster& Master() const;

    QTimer timer_;
    qk::StatusWatch watch_;
    std::vector<QLabel*> lamps_;
    QString csvPath_;
    static constexpr int64_t TimelineStepMs = 1000;
    int64_t timelineDrawnMs_ = 0;
};
