#pragma once
#include <QTimer>
#include <QWidget>
#include <memory>

#include "core/bus/FrameRecorder.h"
#include "core/chips/RegisterMeaning.h"
#include "gui/session/ChipSession.h"
#include "ui_BusMonitorunit.h"

namespace qk {
class FrameTableModel;
class RegisterFilterModel;
}  // namespace qk

// "Bus Monitor": every frame the bus master carries, as it happens, with what it meant. Frames
// are recorded from program start into a ring of the last MaxFrames; the table catches up in
// batches, so a burst of frames never holds the window up. The view follows the newest frame
// while it is at the bottom ("Follow" checked); scrolled up it stays where the user put it.
class TBusMonitorForm : public QWidget {
    Q_OBJECT
  public:
    static constexpr size_t MaxFrames = 100000;

    explicit TBusMonitorForm(qk::ChipSession& session, QWidget* parent = nullptr);
    ~TBusMonitorForm() override;

    // Starts watching a bus master (the one the program uses; it may change once at start).
    void Attach(qk::I2cMaster& master);
    qk::FrameRecorder& Recorder() { return recorder_; }
    // Brings the table up to date now (the window does so by itself shortly after frames come).
    void SyncTable();

    Ui::TBusMonitorForm ui;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FrameArrived();
    void ViewScrolled(int value);
    void ScrollRangeChanged(int maximum);
    void PauseButtonClick();
    void ClearButtonClick();
    void SaveButtonClick();
    void FilterEditChange(const QString& text);
    void ShowCount();

    qk::FrameRecorder recorder_{MaxFrames};
    qk::RegisterMeaning meaning_;
    qk::I2cMaster* master_ = nullptr;
    qk::FrameTableModel* model_ = nullptr;
    qk::RegisterFilterModel* filter_ = nullptr;
    QTimer syncTimer_;
    bool paused_ = false;
};
