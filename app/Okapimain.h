#pragma once
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "link/Datalog.h"
#include "link/I2cBus.h"
#include "link/Port.h"
#include "ui_Okapimain.h"

class QCheckBox;
class QCloseEvent;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;

// The main window: status lines, START and chip detection, chip selection, OFF LINE, I2C address,
// data log, the volume and mute panel and the buttons that open the register windows.
class TOkapiForm : public QWidget, public qk::I2cErrorSink {
    Q_OBJECT
  public:
    explicit TOkapiForm(qk::PortIo& port, QWidget* parent = nullptr);

    Ui::TOkapiForm ui;

    uint8_t DeviceAddress = 0x34;
    bool ChipNeedsInit = false;
    bool QK310MuteAllEngaged = false;
    bool QK330MuteAllEngaged = false;

    qk::PortIo& Port() { return port_; }
    qk::TransactionLog& Log() { return *log_; }
    // Why the parallel port could not be set up (empty when it could).
    const std::string& PortSetupError() const { return portSetupError_; }
    // The working directory when the program started: where the help document lies.
    const QString& StartDirectory() const { return startDirectory_; }

    // Bus errors: status lines and dialogs.
    void ShowFirstErrorLine(const std::string& text) override;
    void ShowSecondErrorLine(const std::string& text) override;
    void ShowErrorLine(const std::string& text) override;
    void ShowAckErrorDialog() override;
    void ShowWaitErrorDialog() override;

    // START: calibrate, probe, identify the chip and offer its radio button (or the fallback).
    void StartBitBtnClick();
    // Chip selection; QK320RadioButtonClick also serves the QK350/60 button.
    void QK310RadioButtonClick();
    void QK320RadioButtonClick();
    void QK330RadioButtonClick();
    void QK340RadioButtonClick();
    void I2C_BypassClick();
    void IICAddressComboBoxChange();
    void DataLogCheckBoxClick();
    void SCLAdjustButtonClick();
    void GPIOBitBtnClick();
    void AboutBitBtnClick();
    void HelpBitBtnClick();
    void HiddenButtonClick();
    void LoginEditChange(const QString& text);
    void LoginButtonClick();

    // The volume and mute panel. The master volume handlers act only while a chip of their
    // generation is checked.
    void MasterVolTrackBarChange();
    void MasterVolUpDownClick();
    void MasterVolZeroBitBtnClick();
    void QK330MasterVolTrackBarChange();
    void QK330MasterVolUpDownClick();
    void QK330MasterVolZeroBitBtnClick();
    // The click of Volume1CheckBox .. Volume6CheckBox (channel 1..6).
    void VolumeCheckBoxClick(int channel);
    void QK310MuteAllBitBtnClick();
    void QK330MuteAllBitBtnClick();
    // "PWM INIT": a soft-reset pulse through the system control register.
    void QK310PWMResetBitBtnClick();
    void QK330PWMResetBitBtnClick();
    // "&RESET": the checked chip is selected again.
    void QK310InitSWBitBtnClick();
    void QK330InitSWBitBtnClick();

    // The panel's controls of channel 1..6.
    QCheckBox* VolumeCheckBox(int channel) const;
    QLabel* ChannelReadout(int channel) const;
    QLabel* ChannelHexReadout(int channel) const;

    static constexpr const char* HelpDocumentName = "MRX OI.PDF";
    // The program that opens the help document with the desktop's default viewer; tests put a
    // fake viewer here. Returns the previous program.
    static QString SetHelpViewer(QString program);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    enum class Generation { First, QK330 };
    struct ChipModel {
        Generation generation;
        std::function<void()> LoadPowerOnDefaults;
        std::function<void()> ActivateChipModel;
    };

    // One generation's master volume group: the same three handlers serve both.
    struct MasterVolume {
        Generation generation;
        QSlider* slider;
        qk::UpDown* upDown;
        QLabel* readout;
        int loudestCode;     // the code of position 0; position p has code loudestCode - p
        int zeroDbPosition;  // where the "0.0" button puts the controls
        void (TOkapiForm::*codeText)(int code, QLabel* label);
        void (TOkapiForm::*applyAllChannelVolumes)();
    };
    // One generation's MUTE ALL button and what it does to that generation's mute register.
    struct MuteAll {
        QPushButton* button;
        bool TOkapiForm::*engaged;
        void (TOkapiForm::*applyToMuteRegister)(bool engaged);
    };

    void ConnectControls();
    void ConnectChipButton(QRadioButton* button, void (TOkapiForm::*handler)());
    void ConnectVolumePanel();
    void ConnectWindowButtons();
    // The generation of the checked chip button, if any.
    std::optional<Generation> CheckedGeneration() const;
    void MasterVolumeChange(const MasterVolume& master);
    void MasterVolumeUpDownClick(const MasterVolume& master);
    void MasterVolumeZeroClick(const MasterVolume& master);
    void ToggleMuteAll(const MuteAll& muteAll);
    void QK310MuteAllToMuteRegister(bool engaged);
    void ResetErrorsAndReselectChip();
    void QK310VolumeCodeText(int code, QLabel* label);
    void ApplyAllQK310ChannelVolumes();
    uint8_t SelectedDeviceAddress() const;
    void ShowStatus(const QString& first, const QString& second);
    bool BusLinesRise();
    void IdentifyChip();
    void OfferAllFirstGenerationChips();
    void ShowChipSelectPanel();
    void CheckChipButton(QRadioButton* button, void (TOkapiForm::*handler)());
    void SelectChip(const ChipModel& model);
    void ShowGenerationPanels(Generation generation);
    void ChipChangeStep();
    bool OpenHelpDocument(const QString& path);

    ChipModel QK310Model();
    ChipModel QK320Model();
    ChipModel QK330Model();
    // The QK330 model (QK330Form) has no operations yet; its calls are collected here.
    void QK330LoadPowerOnDefaults();
    void QK330ActivateChipModel();
    // The QK330 model and windows (QK330Form, QK330SixChBalanceForm, QK330RegForm,
    // QK330SysControl2Form) are placeholders; the panel's QK330 calls are collected here.
    void QK330VolumeCodeText(int code, QLabel* label);
    void QK330ApplyAllChannelVolumes();
    void QK330ApplyChannelEnable(int channel);
    void QK330MuteAllToMuteRegister(bool engaged);
    void QK330SoftResetPulse();

    static constexpr const char* AccessCodes[] = {"pelmak", "elmakp"};
    static constexpr int Channels = 6;

    MasterVolume qk310MasterVolume_{};
    MasterVolume qk330MasterVolume_{};
    MuteAll qk310MuteAll_{};
    MuteAll qk330MuteAll_{};
    std::array<QCheckBox*, Channels> volumeCheckBoxes_{};
    std::array<QLabel*, Channels> channelReadouts_{};
    std::array<QLabel*, Channels> channelHexReadouts_{};

    qk::PortIo& port_;
    std::unique_ptr<qk::TransactionLog> log_;
    std::string portSetupError_;
    QString startDirectory_;
    QString loginText_;
};
