#include "gui/gen1/QK310unit.h"

#include <QCheckBox>

#include "core/chips/ChipFacts.h"
#include "core/chips/QK310VolumeCode.h"
#include "gui/gen1/Balanceunitsixch.h"
#include "gui/gen1/Dcoffsetunit.h"
#include "gui/gen1/Interchdelayunit.h"
#include "gui/gen1/Registersunit.h"
#include "gui/registry/Forms.h"
#include "gui/widgets/ValueReadout.h"

TQK310Form::TQK310Form(qk::ChipSession& session, qk::ChannelPanel& channels, QWidget* parent)
    : TQK310Form(session, channels, qk::QK310PowerOnDefaults, false, parent) {
    setObjectName("QK310Form");
    setWindowTitle("QK310Form");
}

TQK310Form::TQK310Form(qk::ChipSession& session, qk::ChannelPanel& channels,
                       const std::array<uint8_t, qk::QK310RegisterImage::Entries>& defaults,
                       bool hasAbdDelay, QWidget* parent)
    : QWidget(parent),
      session_(session),
      channels_(channels),
      defaults_(defaults),
      hasAbdDelay_(hasAbdDelay) {
    setFixedSize(120, 40);  // never shown
}

void TQK310Form::LoadPowerOnDefaults() {
    session_.FirstGenerationImage().DefaultImage = defaults_;
}

void TQK310Form::InitSubAddresses() {
    session_.FirstGenerationImage().InitSubAddresses();
}

void TQK310Form::CaptureDefaultImage() {
    qk::QK310RegisterImage& image = session_.FirstGenerationImage();
    for (int entry = 0; entry < qk::QK310RegisterImage::Entries; ++entry)
        image.DefaultImage[entry] = image.ReadRegister(image.SubAddressTable[entry]);
}

void TQK310Form::ActivateChipModel() {
    InitSubAddresses();
    // The ABD group is shown before the restore and hidden after it: its entry is restored and
    // its list follows the bits either way.
    if (hasAbdDelay_) RegistersForm->ShowAbdDelayGroup(true);
    session_.FirstGenerationImage().LoadImageFromDefaults();
    if (!hasAbdDelay_) RegistersForm->ShowAbdDelayGroup(false);
    SixChBalanceForm->DefaultBitBtnClick();
    SetMasterVolumeToZeroDb();
}

void TQK310Form::SetMasterVolumeToZeroDb() {
    channels_.MasterVolumeToZeroDb(qk::ChipGeneration::First);
}

void TQK310Form::VolumeCodeText(int code, QLabel* label) const {
    qk::ShowValueText(label, qk::QK310VolumeCodeText(code));
}

void TQK310Form::ApplyChannelEnable(int channel) {
    if (channel < 1 || channel > qk::ChannelCount) return;
    const bool enabled = channels_.ChannelEnabled(channel);
    QCheckBox* unmute =
        RegistersForm->Group(qk::QK310RegisterImage::ChannelMuteRegister)[channel - 1];
    // While MUTE ALL is engaged a re-enabled channel stays muted until MUTE ALL is released.
    if (!enabled)
        unmute->setChecked(false);
    else if (!session_.MuteAllEngaged(qk::ChipGeneration::First))
        unmute->setChecked(true);
    unmute->setEnabled(enabled);
    SixChBalanceForm->EnableChannel(channel, enabled);
    DCOffsetForm->EnableChannel(channel, enabled);
    InterchDelayForm->EnableChannel(channel, enabled);
}
