#include "gui/bus/I2cunit.h"

#include <algorithm>

#include "gui/widgets/Colors.h"

namespace {

// Shown in place of the SCL period while an adapter times the clock.
const char* const AdapterClockText = "By Adapter";

}  // namespace

TI2CForm::TI2CForm(qk::ChipSession& session, QWidget* parent)
    : QWidget(parent), session_(session), bus_(session.ParallelBus()) {
    ui.setupUi(this);
    layoutMaximumCount_ = ui.UpDownFreqAdjust->maximum();
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());
    qk::SetBackgroundColor(ui.FreqAdjustPanel, qk::clSilver);
    qk::SetTextColor(ui.FreqAdjustLabel, qk::clMaroon);
    qk::SetTextColor(ui.FreqAdjustButton, qk::clBlack);
    qk::SetTextColor(ui.CalibrateButton, qk::clBlack);

    connect(ui.FreqAdjustButton, &QPushButton::clicked, this, &TI2CForm::FreqAdjustButtonClick);
    connect(ui.UpDownFreqAdjust, &qk::UpDown::clicked, this, &TI2CForm::UpDownFreqAdjustClick);
    connect(ui.CalibrateButton, &QPushButton::clicked, this, &TI2CForm::CalibrateButtonClick);
    connect(ui.CloseButton, &QPushButton::clicked, this, &TI2CForm::CloseButtonClick);
    if (session_.AdapterInUse()) ShowAdapterClock();
}

void TI2CForm::ShowStatus(const std::string& text) {
    session_.ReportStatus(text);
}

void TI2CForm::ShowAdapterClock() {
    ui.FreqAdjustLabel->setText(AdapterClockText);
    ui.FreqAdjustLabel->setToolTip(QString("The I2C adapter %1 sets the SCL clock")
                                       .arg(QString::fromStdString(session_.AdapterDevice())));
    for (QWidget* control : std::initializer_list<QWidget*>{
             ui.UpDownFreqAdjust, ui.FreqAdjustButton, ui.CalibrateButton})
        control->setEnabled(false);
}

void TI2CForm::CalibrateScl(double targetMicroseconds) {
    if (session_.OffLine() || session_.AdapterInUse()) return;
    qk::SetTextColor(ui.CalibrateButton, qk::clLime);
    ui.CalibrateButton->repaint();  // the calibration blocks the event loop: show lime now
    const qk::SclCalibrationResult result =
        qk::SclCalibration(bus_).CalibrateScl(targetMicroseconds);
    if (!result.ok) {
        // No usable clock: the counts in force stay, and the button stays lime as a warning.
        ShowStatus(result.Text());
        return;
    }
    // A fast PC needs counts far above the layout's maximum: widen the range first, so that the
    // up-down starts at the calibrated count and a click steps by one from there.
    const int calibrated = static_cast<int>(result.halfPeriodCount);
    ui.UpDownFreqAdjust->setMaximum(std::max(layoutMaximumCount_, 2 * calibrated));
    ui.UpDownFreqAdjust->setPosition(calibrated);
    ShowStatus(result.Text());
    qk::SetTextColor(ui.CalibrateButton, qk::clBlack);
}

void TI2CForm::FreqAdjustButtonClick() {
    FineAdjustMode = !FineAdjustMode;
    if (FineAdjustMode) {
        qk::SetTextColor(ui.FreqAdjustLabel, qk::clLime);
        qk::SetTextColor(ui.FreqAdjustButton, qk::clLime);
        ui.FreqAdjustButton->setText("-            +");
        ui.UpDownFreqAdjust->setEnabled(true);
        ShowStatus(qk::CountText(bus_.HalfPeriodCount));
    } else {
        qk::SetTextColor(ui.FreqAdjustLabel, qk::clMaroon);
        qk::SetTextColor(ui.FreqAdjustButton, qk::clBlack);
        ui.FreqAdjustButton->setText("Adjust Counter");
        ui.UpDownFreqAdjust->setEnabled(false);
        ShowStatus("Ready");
    }
}

void TI2CForm::UpDownFreqAdjustClick(int position) {
    bus_.HalfPeriodCount = static_cast<uint32_t>(position);
    ShowStatus(qk::CountText(bus_.HalfPeriodCount));
}
