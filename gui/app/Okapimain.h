#pragma once
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/bus/Datalog.h"
#include "core/bus/I2cMaster.h"
#include "core/bus/Port.h"
#include "core/chips/ChipCatalogue.h"
#include "gui/app/VolumeMutePanel.h"
#include "ui_Okapimain.h"

class QCheckBox;
class QCloseEvent;
class QKeyEvent;
class QLabel;
class QRadioButton;
namespace qk {
class HiddenLogin;
}  // namespace qk

// The main window: status lines, START and chip detection, chip selection, OFF LINE, I2C address,
// data log, help, and the volume and mute panel with the buttons that open the register windows.
// START and detection, and chip selection, are defined in files of their own.
class TOkapiForm : public QWidget {
    Q_OBJECT
  public:
    explicit TOkapiForm(qk::PortIo& port, QWidget* parent = nullptr);

    // The chip's I2C write address: 0x34 ("0x1A") or 0x36 ("0x1B").
    uint8_t DeviceAddress() const { return deviceAddress_; }
    // Set by START: the next chip selection loads the chip's power-on defaults first.
    bool ChipNeedsInit() const { return chipNeedsInit_; }
    // OFF LINE is checked: frames are logged but do not reach the wire.
    bool IsOffLine() const;
    qk::PortIo& Port() { return port_; }
    qk::TransactionLog& Log() { return *log_; }
    // Why the parallel port could not be set up (empty when it could).
    const std::string& PortSetupError() const { return portSetupError_; }

    // The first status line, for texts other than bus errors (the SCL calibration's).
    void ShowFirstStatus(const std::string& text);
    // The status lines for bus errors: the first two made visible, then the text; the red third.
    void ShowFirstErrorLine(const std::string& text);
    void ShowSecondErrorLine(const std::string& text);
    void ShowErrorLine(const std::string& text);

    // The volume and mute panel, as the chip models and the balance windows use it.
    bool QK310MuteAllEngaged() const { return volumePanel_->QK310MuteAllEngaged(); }
    bool QK330MuteAllEngaged() const { return volumePanel_->QK330MuteAllEngaged(); }
    int MasterVolumePosition() const { return volumePanel_->MasterVolumePosition(); }
    int QK330MasterVolumePosition() const { return volumePanel_->QK330MasterVolumePosition(); }
    void MasterVolZeroBitBtnClick() { volumePanel_->MasterVolZeroBitBtnClick(); }
    void QK330MasterVolZeroBitBtnClick() { volumePanel_->QK330MasterVolZeroBitBtnClick(); }
    QCheckBox* VolumeCheckBox(int channel) const { return volumePanel_->VolumeCheckBox(channel); }
    QLabel* ChannelReadout(int channel) const { return volumePanel_->ChannelReadout(channel); }
    QLabel* ChannelHexReadout(int channel) const {
        return volumePanel_->ChannelHexReadout(channel);
    }
    // After a restore: the panel shows the channels' volume codes and unmute bits.
    void ShowChannelVolumes(qk::ChipGeneration generation,
                            const std::array<int, qk::ChannelCount>& codes) {
        volumePanel_->ShowChannelVolumes(generation, codes);
    }
    void ShowChannelMutes(qk::ChipGeneration generation, uint8_t unmuteBits) {
        volumePanel_->ShowChannelMutes(generation, unmuteBits);
    }

    // START: calibrate, probe, identify the chip and offer its radio button (or the fallback).
    void StartBitBtnClick();
    // Chip selection: each chip button selects its catalogue chip, as these do (the QK350/60 as
    // QK320RadioButtonClick, with the QK320's model).
    void QK310RadioButtonClick();
    void QK320RadioButtonClick();
    void QK330RadioButtonClick();
    void QK340RadioButtonClick();
    void I2C_BypassClick();
    // Which of the second generation's chips is checked (the chip model activates its features).
    bool QK330Checked() const;
    bool QK340Checked() const;
    // The checked chip as files name it ("QK310", "QK320", "QK350", "QK330", "QK340"); empty when
    // none is checked.
    std::string CheckedChipName() const;
    // "QK350RadioButton": the object name of a chip's radio button.
    static QString ChipButtonName(const qk::ChipInfo& chip);
    // The generation of the checked chip button; none before a chip is chosen.
    std::optional<qk::ChipGeneration> CheckedGeneration() const;
    // The register map family of the checked chip; none before a chip is chosen.
    std::optional<qk::ChipFamily> CheckedFamily() const;
    // The hidden-controls login's edit and button, as "Login&!" shows them.
    void ShowLogin();
    void IICAddressComboBoxChange();
    void DataLogCheckBoxClick();
    void SCLAdjustButtonClick();
    void GPIOBitBtnClick();
    void AboutBitBtnClick();
    void HelpBitBtnClick();

  signals:
    // OFF LINE was checked or cleared.
    void OffLineChanged(bool offLine);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // A chip radio button and its chip.
    struct ChipButton {
        QRadioButton* button;
        const qk::ChipInfo* chip;
    };
    // The buttons of the catalogue's chips, in catalogue order.
    const std::vector<ChipButton>& ChipButtons() const { return chipButtons_; }
    ChipButton ButtonOf(const qk::ChipInfo& chip) const;

    void ConnectControls();
    void ConnectChipButton(const ChipButton& chip);
    void ConnectWindowButtons();
    void ShowStatus(const QString& first, const QString& second);

    // START and chip detection.
    uint8_t SelectedDeviceAddress() const;
    bool BusLinesRise();
    void IdentifyChip();
    void OfferAllFirstGenerationChips();
    void ShowChipSelectPanel();
    void CheckChipButton(const ChipButton& chip);

    // Chip selection.
    void SelectChip(const qk::ChipInfo& chip);
    void ChipChangeStep();
    void ReselectCheckedChip();

    Ui::TOkapiForm ui;
    qk::VolumeMutePanel* volumePanel_ = nullptr;
    qk::HiddenLogin* login_ = nullptr;
    std::vector<ChipButton> chipButtons_;
    uint8_t deviceAddress_ = qk::kChipWriteAddresses[0];
    bool chipNeedsInit_ = false;
    qk::PortIo& port_;
    std::unique_ptr<qk::TransactionLog> log_;
    std::string portSetupError_;
    QString startDirectory_;
};
