#include "gui/app/VolumeMutePanel.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <algorithm>
#include <utility>

#include "core/chips/ChipFacts.h"
#include "core/chips/QK310VolumeCode.h"
#include "core/chips/QK330VolumeCode.h"
#include "gui/bus/I2cunit.h"
#include "gui/gen1/Balanceunitsixch.h"
#include "gui/gen1/QK310unit.h"
#include "gui/gen1/Registersunit.h"
#include "gui/gen1/Syscontrol1unit.h"
#include "gui/qk330/QK330Balanceunitsixch.h"
#include "gui/qk330/QK330Regunit.h"
#include "gui/qk330/QK330Syscontrol2unit.h"
#include "gui/qk330/QK330unit.h"
#include "gui/registry/Forms.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/SliderScale.h"
#include "gui/widgets/UpDown.h"
#include "ui_Okapimain.h"

namespace qk {

namespace {

constexpr int QK310ZeroDbPosition = 48;
constexpr int QK330ZeroDbPosition = 287;
// The items of the "D2 Select" group of the system control window.
constexpr int SoftResetItem = 0, NormalModeItem = 1;

// Slider positions for channel volume codes, code = loudest - (master + offset).
struct VolumePositions {
    int master;
    std::array<int, ChannelCount> offsets;
};

// The master stays where it is when every channel's offset fits its slider; else it moves to the
// loudest channel. A code no position gives gets the nearest.
VolumePositions PositionsFor(const std::array<int, ChannelCount>& codes, int loudest, int master,
                             int maxOffset) {
    const auto fits = [&](int code) {
        const int offset = loudest - code - master;
        return offset >= 0 && offset <= maxOffset;
    };
    if (!std::all_of(codes.begin(), codes.end(), fits))
        master = std::clamp(loudest - *std::max_element(codes.begin(), codes.end()), 0, loudest);
    VolumePositions positions{.master = master, .offsets = {}};
    for (int channel = 0; channel < ChannelCount; ++channel)
        positions.offsets[channel] = std::clamp(loudest - codes[channel] - master, 0, maxOffset);
    return positions;
}

}  // namespace

VolumeMutePanel::VolumeMutePanel(ChipSession& session, Ui::TOkapiForm& ui, Host host,
                                 QObject* parent)
    : QObject(parent),
      session_(session),
      ui_(ui),
      host_(std::move(host)),
      qk310MasterVolume_{
          .generation = ChipGeneration::First,
          .slider = ui.MasterVolTrackBar,
          .upDown = ui.MasterVolUpDown,
          .readout = ui.MasterVolReadout,
          .loudestCode = QK310LoudestVolumeCode,
          .zeroDbPosition = QK310ZeroDbPosition,
          .codeText = [](int code, QLabel* label) { QK310Form->VolumeCodeText(code, label); },
          .applyAllChannelVolumes = [] { SixChBalanceForm->ApplyAllChannelVolumes(); },
          .offsetSlider = [](int channel) { return SixChBalanceForm->OffsetSlider(channel); }},
      qk330MasterVolume_{
          .generation = ChipGeneration::QK330,
          .slider = ui.QK330MasterVolTrackBar,
          .upDown = ui.QK330MasterVolUpDown,
          .readout = ui.QK330MasterVolReadout,
          .loudestCode = QK330LoudestVolumeCode,
          .zeroDbPosition = QK330ZeroDbPosition,
          .codeText = [](int code, QLabel* label) { QK330Form->VolumeCodeText(code, label); },
          .applyAllChannelVolumes = [] { QK330SixChBalanceForm->ApplyAllChannelVolumes(); },
          .offsetSlider = [](int channel) { return QK330SixChBalanceForm->OffsetSlider(channel); }},
      qk310MuteAll_{
          .button = ui.QK310MuteAllBitBtn,
          .unmuteBoxes =
              [] { return RegistersForm->Group(QK310RegisterImage::ChannelMuteRegister); },
          .applyChannelEnable = [](int channel) { QK310Form->ApplyChannelEnable(channel); },
          .applyMuteRegister = [] { RegistersForm->Reg19ButtonClick(); },
          .generation = ChipGeneration::First},
      qk330MuteAll_{
          .button = ui.QK330MuteAllBitBtn,
          .unmuteBoxes = [] { return QK330RegForm->Group(QK330RegisterImage::SoftMuteRegister); },
          .applyChannelEnable = [](int channel) { QK330Form->ApplyChannelEnable(channel); },
          .applyMuteRegister = [] { QK330RegForm->Reg11ButtonClick(); },
          .generation = ChipGeneration::QK330},
      volumeCheckBoxes_{ui.Volume1CheckBox, ui.Volume2CheckBox, ui.Volume3CheckBox,
                        ui.Volume4CheckBox, ui.Volume5CheckBox, ui.Volume6CheckBox},
      channelReadouts_{ui.Ch1Readout, ui.Ch2Readout, ui.Ch3Readout,
                       ui.Ch4Readout, ui.Ch5Readout, ui.Ch6Readout},
      channelHexReadouts_{ui.Ch1HexReadout, ui.Ch2HexReadout, ui.Ch3HexReadout,
                          ui.Ch4HexReadout, ui.Ch5HexReadout, ui.Ch6HexReadout} {
    Connect(ui);
    connect(&session_, &ChipSession::registerChanged, this, &VolumeMutePanel::RegisterChanged);
    AddScale(qk310MasterVolume_,
             {ui.MasterVolMaxLabel, ui.Label2, ui.Label3, ui.Label15, ui.MasterVolMinLabel},
             QK310VolumeCodeText);
    AddScale(
        qk330MasterVolume_,
        {ui.QK330MasterVolMaxLabel, ui.Label8, ui.Label11, ui.Label9, ui.QK330MasterVolMinLabel},
        QK330VolumeCodeText);
}

// The scale labels go where the readout shows their values.
void VolumeMutePanel::AddScale(const MasterVolume& master, const std::vector<QLabel*>& labels,
                               std::string (*codeText)(int code)) {
    new SliderScale(master.slider, labels, [codeText, loudest = master.loudestCode](int position) {
        return codeText(loudest - position);
    });
}

void VolumeMutePanel::Connect(Ui::TOkapiForm& ui) {
    connect(ui.MasterVolTrackBar, &QSlider::valueChanged, this,
            &VolumeMutePanel::MasterVolTrackBarChange);
    connect(ui.MasterVolUpDown, &UpDown::clicked, this, &VolumeMutePanel::MasterVolUpDownClick);
    connect(ui.QK330MasterVolTrackBar, &QSlider::valueChanged, this,
            &VolumeMutePanel::QK330MasterVolTrackBarChange);
    connect(ui.QK330MasterVolUpDown, &UpDown::clicked, this,
            &VolumeMutePanel::QK330MasterVolUpDownClick);
    for (int channel = 1; channel <= Channels; ++channel)
        connect(VolumeCheckBox(channel), &QCheckBox::clicked, this,
                [this, channel] { VolumeCheckBoxClick(channel); });

    const std::pair<QPushButton*, void (VolumeMutePanel::*)()> buttons[] = {
        {ui.MasterVolZeroBitBtn, &VolumeMutePanel::MasterVolZeroBitBtnClick},
        {ui.QK330MasterVolZeroBitBtn, &VolumeMutePanel::QK330MasterVolZeroBitBtnClick},
        {ui.QK310MuteAllBitBtn, &VolumeMutePanel::QK310MuteAllBitBtnClick},
        {ui.QK330MuteAllBitBtn, &VolumeMutePanel::QK330MuteAllBitBtnClick},
        {ui.QK310PWMResetBitBtn, &VolumeMutePanel::QK310PWMResetBitBtnClick},
        {ui.QK330PWMResetBitBtn, &VolumeMutePanel::QK330PWMResetBitBtnClick},
        {ui.QK310InitSWBitBtn, &VolumeMutePanel::QK310InitSWBitBtnClick},
        {ui.QK330InitSWBitBtn, &VolumeMutePanel::QK330InitSWBitBtnClick},
    };
    for (auto [button, handler] : buttons) connect(button, &QPushButton::clicked, this, handler);
}

void VolumeMutePanel::ShowGeneration(ChipGeneration generation) {
    const bool first = generation == ChipGeneration::First;
    ui_.QK310ButtonPanel->setVisible(first);
    ui_.QK310MasterVolGroupBox->setVisible(first);
    ui_.QK330ButtonPanel->setVisible(!first);
    ui_.QK330MasterVolGroupBox->setVisible(!first);
}

int VolumeMutePanel::MasterVolumePosition() const {
    return qk310MasterVolume_.slider->value();
}

int VolumeMutePanel::QK330MasterVolumePosition() const {
    return qk330MasterVolume_.slider->value();
}

VolumeMutePanel::MasterVolume& VolumeMutePanel::MasterOf(ChipGeneration generation) {
    return generation == ChipGeneration::First ? qk310MasterVolume_ : qk330MasterVolume_;
}

VolumeMutePanel::MuteAll& VolumeMutePanel::MuteAllOf(ChipGeneration generation) {
    return generation == ChipGeneration::First ? qk310MuteAll_ : qk330MuteAll_;
}

// --- Master volume ---

// There is no master volume register: the master position is folded into every channel's code.
void VolumeMutePanel::MasterVolumeChange(const MasterVolume& master) {
    if (host_.checkedGeneration() != master.generation) return;
    const int position = master.slider->value();
    master.codeText(master.loudestCode - position, master.readout);
    master.upDown->setPosition(position);
    master.applyAllChannelVolumes();
}

// The change handler runs once more after the slider move, so the channels are written even
// when the slider stood at the up-down's position already.
void VolumeMutePanel::MasterVolumeUpDownClick(const MasterVolume& master) {
    master.slider->setValue(master.upDown->position());
    MasterVolumeChange(master);
}

void VolumeMutePanel::MasterVolumeZeroClick(const MasterVolume& master) {
    master.upDown->setPosition(master.zeroDbPosition);
    master.slider->setValue(master.zeroDbPosition);
    MasterVolumeChange(master);
}

// --- The channel panel of the volume offset windows and the chip models ---

bool VolumeMutePanel::ChannelEnabled(int channel) const {
    return VolumeCheckBox(channel)->isChecked();
}

int VolumeMutePanel::MasterVolumePosition(ChipGeneration generation) const {
    return generation == ChipGeneration::First ? MasterVolumePosition()
                                               : QK330MasterVolumePosition();
}

void VolumeMutePanel::MasterVolumeToZeroDb(ChipGeneration generation) {
    MasterVolumeZeroClick(MasterOf(generation));
}

// --- Channel mute boxes and MUTE ALL ---

// The QK340 is served like the QK330.
void VolumeMutePanel::VolumeCheckBoxClick(int channel) {
    const std::optional<ChipGeneration> generation = host_.checkedGeneration();
    if (!generation) return;
    const MuteAll& muteAll = MuteAllOf(*generation);
    muteAll.applyChannelEnable(channel);
    muteAll.applyMuteRegister();
}

// The mute register is written whatever the state, with the boxes as they now stand.
void VolumeMutePanel::ToggleMuteAll(MuteAll& muteAll) {
    session_.SetMuteAllEngaged(muteAll.generation, !Engaged(muteAll));
    muteAll.button->setText(Engaged(muteAll) ? "MUTED" : "MUTE ALL");
    SetTextColor(muteAll.button, Engaged(muteAll) ? clLime : clBlack);
    UnmuteBoxesFollowMuteAll(muteAll);
    muteAll.applyMuteRegister();
}

// Only the enabled channels follow MUTE ALL; a disabled channel's unmute box stays as it is.
void VolumeMutePanel::UnmuteBoxesFollowMuteAll(const MuteAll& muteAll) const {
    const BitBoxes unmute = muteAll.unmuteBoxes();
    for (int channel = 1; channel <= Channels; ++channel)
        if (VolumeCheckBox(channel)->isChecked())
            unmute[channel - 1]->setChecked(!Engaged(muteAll));
}

// --- After a read or a restore ---

namespace {

// Where a generation's channel registers are: channel n's volume (n - 1) * volumeWidth after
// channel 1's, and the register of the six unmute bits.
struct ChannelRegisters {
    uint8_t firstVolume;
    int volumeWidth;
    uint8_t mute;
};
constexpr ChannelRegisters kQK310Channels{QK310RegisterImage::FirstVolumeRegister, 1,
                                          QK310RegisterImage::ChannelMuteRegister};
constexpr ChannelRegisters kQK330Channels{0x26, 2, QK330RegisterImage::SoftMuteRegister};

template <typename Image>
std::array<int, ChannelCount> VolumeCodes(Image& image, const ChannelRegisters& channels) {
    std::array<int, ChannelCount> codes{};
    for (int channel = 1; channel <= ChannelCount; ++channel) {
        const auto sub =
            static_cast<uint8_t>(channels.firstVolume + (channel - 1) * channels.volumeWidth);
        codes[channel - 1] = channels.volumeWidth == 1
                                 ? image.Current(sub)
                                 : image.Current(sub) << 8 | image.Current(sub + 1);
    }
    return codes;
}

}  // namespace

void VolumeMutePanel::RegisterChanged(ChipFamily family, uint8_t reg) {
    const ChipGeneration generation = GenerationOf(family);
    const ChannelRegisters& channels =
        generation == ChipGeneration::First ? kQK310Channels : kQK330Channels;
    const int volumeBytes = ChannelCount * channels.volumeWidth;
    if (reg >= channels.firstVolume && reg < channels.firstVolume + volumeBytes)
        ShowChannelVolumes(generation, generation == ChipGeneration::First
                                           ? VolumeCodes(session_.FirstGenerationImage(), channels)
                                           : VolumeCodes(session_.QK330Image(), channels));
    else if (reg == channels.mute)
        ShowChannelMutes(generation, generation == ChipGeneration::First
                                         ? session_.FirstGenerationImage().Current(reg)
                                         : session_.QK330Image().Current(reg));
}

void VolumeMutePanel::ShowChannelVolumes(ChipGeneration generation,
                                         const std::array<int, ChannelCount>& codes) {
    MasterVolume& master = MasterOf(generation);
    const VolumePositions positions = PositionsFor(
        codes, master.loudestCode, master.slider->value(), master.offsetSlider(1)->maximum());
    master.slider->setValue(positions.master);
    for (int channel = 1; channel <= Channels; ++channel)
        master.offsetSlider(channel)->setValue(positions.offsets[channel - 1]);
    // Every readout follows the positions, also where no slider moved.
    MasterVolumeChange(master);
}

void VolumeMutePanel::ShowChannelMutes(ChipGeneration generation, uint8_t unmuteBits) {
    const MuteAll& muteAll = MuteAllOf(generation);
    for (int channel = 1; channel <= Channels; ++channel) {
        VolumeCheckBox(channel)->setChecked(unmuteBits >> (channel - 1) & 1);
        muteAll.applyChannelEnable(channel);
    }
    if (Engaged(muteAll)) UnmuteBoxesFollowMuteAll(muteAll);
}

// --- PWM INIT and RESET ---

void VolumeMutePanel::QK310PWMResetBitBtnClick() {
    session_.Master().I2cResetErrors();
    for (int item : {SoftResetItem, NormalModeItem}) SysControl1Form->ApplyD2Item(item);
}

void VolumeMutePanel::QK330PWMResetBitBtnClick() {
    session_.Master().I2cResetErrors();
    for (int item : {SoftResetItem, NormalModeItem}) QK330SysControl2Form->ApplyD2Item(item);
}

void VolumeMutePanel::QK310InitSWBitBtnClick() {
    host_.clearErrorLine();
    ResetErrorsAndReselectChip();
}

void VolumeMutePanel::QK330InitSWBitBtnClick() {
    ResetErrorsAndReselectChip();
}

void VolumeMutePanel::ResetErrorsAndReselectChip() {
    session_.Master().I2cResetErrors();
    host_.reselectCheckedChip();
}

}  // namespace qk
