#pragma once
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "link/Datalog.h"
#include "link/I2cBus.h"
#include "link/Port.h"
#include "ui_Okapimain.h"

class QCloseEvent;
class QRadioButton;

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

    void ConnectControls();
    uint8_t SelectedDeviceAddress() const;
    void ShowStatus(const QString& first, const QString& second);
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

    static constexpr const char* AccessCodes[] = {"pelmak", "elmakp"};

    qk::PortIo& port_;
    std::unique_ptr<qk::TransactionLog> log_;
    std::string portSetupError_;
    QString startDirectory_;
    QString loginText_;
};
