#pragma once
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/bus/I2cMaster.h"
#include "core/chips/ChipCatalogue.h"
#include "gui/app/VolumeMutePanel.h"
#include "gui/session/ChipSession.h"
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
    explicit TOkapiForm(qk::ChipSession& session, QWidget* parent = nullptr);

    // Set by START: the next chip selection loads the chip's power-on defaults first.
    bool ChipNeedsInit() const { return chipNeedsInit_; }

    // The first status line, for texts other than bus errors (the SCL calibration's).
    void ShowFirstStatus(const std::string& text);
    // The status lines for bus errors: the first two made visible, then the text; the red third.
    void ShowFirstErrorLine(const std::string& text);
    void ShowSecondErrorLine(const std::string& text);
    void ShowErrorLine(const std::string& text);

    // The volume and mute panel, as the chip models and the balance windows use it.
    // The channel controls as the volume offset windows and the chip models see them.
    qk::ChannelPanel& Channels() { return *volumePanel_; }
    int MasterVolumePosition() const { return volumePanel_->MasterVolumePosition(); }
    int QK330MasterVolumePosition() const { return volumePanel_->QK330MasterVolumePosition(); }
    void MasterVolZeroBitBtnClick() { volumePanel_->MasterVolZeroBitBtnClick(); }
    void QK330MasterVolZeroBitBtnClick() { volumePanel_->QK330MasterVolZeroBitBtnClick(); }
    QCheckBox* VolumeCheckBox(int channel) const { return volumePanel_->VolumeCheckBox(channel); }
    QLabel* ChannelReadout(int channel) const { return volumePanel_->ChannelReadout(channel); }
    QLabel* ChannelHexReadout(int channel) const {
        return volumePanel_->ChannelHexReadout(channel);
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
    // "QK350RadioButton": the object name of a chip's radio button.
    static QString ChipButtonName(const qk::ChipInfo& chip);
    // The generation of the checked chip button; none before a chip is chosen.
    std::optional<qk::ChipGeneration> CheckedGeneration() const;
    // The hidden-controls login's edit and button, as "Login&!" shows them.
    void ShowLogin();
    void IICAddressComboBoxChange();
    void DataLogCheckBoxClick();
    void SCLAdjustButtonClick();
    void GPIOBitBtnClick();
    void AboutBitBtnClick();
    void HelpBitBtnClick();

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
    void ConnectSession();
    // The engineering login shows or hides the chip buttons only it offers.
    void ShowLoginChips(bool loggedIn);
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
    qk::ChipSession& session_;
    bool chipNeedsInit_ = false;
    QString startDirectory_;
};
