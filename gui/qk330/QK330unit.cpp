#include "gui/qk330/QK330unit.h"

#include <QCheckBox>

#include "core/chips/ChipFacts.h"
#include "core/chips/QK330RegisterImage.h"
#include "core/chips/QK330VolumeCode.h"
#include "gui/qk330/QK330Balanceunitsixch.h"
#include "gui/qk330/QK330ChConfigControlRegunit.h"
#include "gui/qk330/QK330Dcoffsetunit.h"
#include "gui/qk330/QK330Interchdelayunit.h"
#include "gui/qk330/QK330Regunit.h"
#include "gui/qk330/QK330Testregunit.h"
#include "gui/registry/Forms.h"
#include "gui/widgets/ValueReadout.h"

using qk::QK330RegisterImage;

TQK330Form::TQK330Form(qk::ChipSession& session, qk::ChannelPanel& channels, QWidget* parent)
    : QWidget(parent), session_(session), channels_(channels) {
    setWindowTitle("QK330Form");
    setFixedSize(120, 40);  // never shown
}

void TQK330Form::LoadPowerOnDefaults() {
    session_.QK330Image().DefaultImage = qk::QK330PowerOnDefaults;
    defaultImageFilled_ = true;
}

void TQK330Form::InitSubAddresses() {
    session_.QK330Image().InitSubAddresses();
}

void TQK330Form::CaptureDefaultImage() {
    QK330RegisterImage& image = session_.QK330Image();
    for (int entry = 0; entry < QK330RegisterImage::Entries; ++entry)
        image.DefaultImage[entry] = image.ReadRegister(image.SubAddressTable[entry]);
    defaultImageFilled_ = true;
}

void TQK330Form::ActivateChipModel() {
    // Detection of a first-generation chip clears the need for power-on defaults but fills only
    // that generation's image: an image never filled would write zeros to every register (soft
    // reset, all channels muted), so it starts from the power-on table instead.
    if (!defaultImageFilled_) LoadPowerOnDefaults();
    InitSubAddresses();
    session_.QK330Image().LoadImageFromDefaults();
    // The PADC and PSC/ADC controls belong to the QK340; with neither chip checked they stay.
    const qk::ChipInfo* chip = session_.SelectedChip();
    if (chip && chip->family == qk::ChipFamily::QK330) {
        const bool qk340 = chip == &qk::kChipCatalogue[qk::ChipIndex("QK340")];
        QK330RegForm->ShowPadcOffsetGroup(qk340);
        QK330TestRegForm->ShowQK340Groups(qk340);
    }
    QK330SixChBalanceForm->ZeroAllBitBtnClick();
    channels_.MasterVolumeToZeroDb(qk::ChipGeneration::QK330);
}

QString TQK330Form::VolumeCodeText(int code) const {
    return QString::fromStdString(qk::QK330VolumeCodeText(code));
}

void TQK330Form::VolumeCodeText(int code, QLabel* label) const {
    qk::ShowValueText(label, qk::QK330VolumeCodeText(code));
}

void TQK330Form::ApplyChannelEnable(int channel) {
    if (channel < 1 || channel > qk::ChannelCount) return;
    const bool enabled = channels_.ChannelEnabled(channel);
    QCheckBox* unmute = QK330RegForm->Group(QK330RegisterImage::SoftMuteRegister)[channel - 1];
    // While MUTE ALL is engaged a re-enabled channel stays muted until MUTE ALL is released.
    if (!enabled)
        unmute->setChecked(false);
    else if (!session_.MuteAllEngaged(qk::ChipGeneration::QK330))
        unmute->setChecked(true);
    QK330SixChBalanceForm->EnableChannel(channel, enabled);
    QK330DCOffsetForm->EnableChannel(channel, enabled);
    QK330InterchDelayForm->EnableChannel(channel, enabled);
    QK330ChConfigControlRegForm->EnableChannel(channel, enabled);
    unmute->setEnabled(enabled);
}
