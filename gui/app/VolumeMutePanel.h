#pragma once
#include <QObject>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/chips/ChipFacts.h"
#include "gui/registerkit/ChannelPanel.h"
#include "gui/session/ChipSession.h"
#include "gui/widgets/BitBoxes.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;
namespace Ui {
class TOkapiForm;
}

namespace qk {

class UpDown;

// The main window's volume and mute panel: the master volume group and button panel of each
// generation, the channel mute boxes and the channel readouts. Its controls are the main window's;
// it acts only while a chip of the control's generation is checked.
class VolumeMutePanel : public QObject, public ChannelPanel {
  public:
    // What the panel needs from the rest of the main window.
    struct Host {
        std::function<std::optional<ChipGeneration>()> checkedGeneration;
        // RESET of the first generation wipes a shown "ACK Error" from the red status line.
        std::function<void()> clearErrorLine;
        // RESET: the checked chip is selected again.
        std::function<void()> reselectCheckedChip;
    };

    VolumeMutePanel(ChipSession& session, Ui::TOkapiForm& ui, Host host, QObject* parent);

    // Shows the chosen generation's master volume group and button panel, hides the other's.
    void ShowGeneration(ChipGeneration generation);

    // The first generation's master slider position (0 loudest).
    int MasterVolumePosition() const;
    // The QK330 master slider position (0 loudest, 287 is 0.00 dB).
    int QK330MasterVolumePosition() const;
    // Puts the first generation's master volume at 0.0 dB (chip activation does this).
    void MasterVolZeroBitBtnClick() { MasterVolumeZeroClick(qk310MasterVolume_); }
    // The same for the QK330 master volume (position 287).
    void QK330MasterVolZeroBitBtnClick() { MasterVolumeZeroClick(qk330MasterVolume_); }

    // The controls of channel 1..6.
    QCheckBox* VolumeCheckBox(int channel) const { return volumeCheckBoxes_.at(channel - 1); }
    QLabel* ChannelReadout(int channel) const override { return channelReadouts_.at(channel - 1); }
    QLabel* ChannelHexReadout(int channel) const override {
        return channelHexReadouts_.at(channel - 1);
    }
    bool ChannelEnabled(int channel) const override;
    int MasterVolumePosition(ChipGeneration generation) const override;
    void MasterVolumeToZeroDb(ChipGeneration generation) override;

    // The panel after a restore. The master and offset sliders take positions that give each
    // channel its volume code (the master stays where it is when every offset fits its slider)
    // and the readouts follow, through the channel applies: the caller holds the bus silent.
    void ShowChannelVolumes(ChipGeneration generation, const std::array<int, ChannelCount>& codes);
    // The channel boxes follow the unmute bits and each channel's controls its box; nothing is
    // written. While MUTE ALL is engaged the enabled channels' unmute boxes stay cleared, as the
    // chip has them, so that releasing MUTE ALL applies the bits.
    void ShowChannelMutes(ChipGeneration generation, uint8_t unmuteBits);

  private:
    // One generation's master volume group: the same three handlers serve both.
    struct MasterVolume {
        ChipGeneration generation;
        QSlider* slider;
        UpDown* upDown;
        QLabel* readout;
        int loudestCode;     // the code of position 0; position p has code loudestCode - p
        int zeroDbPosition;  // where the "0.0" button puts the controls
        std::function<void(int code, QLabel* label)> codeText;
        std::function<void()> applyAllChannelVolumes;
        std::function<QSlider*(int channel)> offsetSlider;  // the balance window's
    };
    // One generation's MUTE ALL button and state, the register editor's unmute boxes, and the
    // chip model's and editor's operations on them.
    struct MuteAll {
        QPushButton* button;
        std::function<BitBoxes()> unmuteBoxes;
        std::function<void(int channel)> applyChannelEnable;
        std::function<void()> applyMuteRegister;
        ChipGeneration generation;  // whose MUTE ALL state the session keeps
    };

    void Connect(Ui::TOkapiForm& ui);
    void AddScale(const MasterVolume& master, const std::vector<QLabel*>& labels,
                  std::string (*codeText)(int code));
    // The master volume handlers of both generations share their work.
    void MasterVolTrackBarChange() { MasterVolumeChange(qk310MasterVolume_); }
    void MasterVolUpDownClick() { MasterVolumeUpDownClick(qk310MasterVolume_); }
    void QK330MasterVolTrackBarChange() { MasterVolumeChange(qk330MasterVolume_); }
    void QK330MasterVolUpDownClick() { MasterVolumeUpDownClick(qk330MasterVolume_); }
    // The click of Volume1CheckBox .. Volume6CheckBox (channel 1..6).
    void VolumeCheckBoxClick(int channel);
    void QK310MuteAllBitBtnClick() { ToggleMuteAll(qk310MuteAll_); }
    void QK330MuteAllBitBtnClick() { ToggleMuteAll(qk330MuteAll_); }
    // "PWM INIT": a soft-reset pulse through the system control register.
    void QK310PWMResetBitBtnClick();
    void QK330PWMResetBitBtnClick();
    // "&RESET": the checked chip is selected again.
    void QK310InitSWBitBtnClick();
    void QK330InitSWBitBtnClick();

    void MasterVolumeChange(const MasterVolume& master);
    void MasterVolumeUpDownClick(const MasterVolume& master);
    void MasterVolumeZeroClick(const MasterVolume& master);
    void ToggleMuteAll(MuteAll& muteAll);
    // The unmute boxes of the enabled channels follow MUTE ALL.
    void UnmuteBoxesFollowMuteAll(const MuteAll& muteAll) const;
    MasterVolume& MasterOf(ChipGeneration generation);
    MuteAll& MuteAllOf(ChipGeneration generation);
    void ResetErrorsAndReselectChip();

    static constexpr int Channels = ChannelCount;

    bool Engaged(const MuteAll& muteAll) const {
        return session_.MuteAllEngaged(muteAll.generation);
    }
    // A channel register changed without an edit: the panel follows the image.
    void RegisterChanged(ChipFamily family, uint8_t reg);

    ChipSession& session_;
    Ui::TOkapiForm& ui_;
    Host host_;
    MasterVolume qk310MasterVolume_;
    MasterVolume qk330MasterVolume_;
    MuteAll qk310MuteAll_;
    MuteAll qk330MuteAll_;
    std::array<QCheckBox*, Channels> volumeCheckBoxes_;
    std::array<QLabel*, Channels> channelReadouts_;
    std::array<QLabel*, Channels> channelHexReadouts_;
};

}  // namespace qk
