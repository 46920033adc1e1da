#include "gen1/Balanceunitsixch.h"

#include <QCheckBox>

#include "app/Forms.h"
#include "app/Okapimain.h"
#include "chips/QK310unit.h"
#include "gen1/Registersunit.h"

namespace {

constexpr uint8_t kErrorRecoveryRegister = 0x04;
constexpr uint8_t kFirstVolumeRegister = 0x13;  // channel 1; channel n at 12h + n
constexpr int kMaxCode = 249;
constexpr int kZeroDbCode = 201;  // offset 0 reads "0.0 dB"

QString Numbered(const char* prefix, int channel, const char* suffix) {
    return prefix + QString::number(channel) + suffix;
}

}  // namespace

TSixChBalanceForm::TSixChBalanceForm(QWidget* parent) : QWidget(parent) {
    ui.setupUi(this);
    setFixedSize(size());
    for (int channel = 1; channel <= 6; ++channel) {
        Strip& strip = strips_[channel - 1];
        strip.slider = findChild<QSlider*>(Numbered("VolTrackBar", channel, ""));
        strip.readout = findChild<QLabel*>(Numbered("Ch", channel, "Readout"));
        strip.zero = findChild<QPushButton*>(Numbered("Ch", channel, "ResetBitBtn"));
        connect(strip.slider, &QSlider::valueChanged, this,
                [this, channel] { ChannelApply(channel); });
        connect(strip.zero, &QPushButton::clicked, this, [this, channel] { ChannelZero(channel); });
    }
    connect(ui.DefaultBitBtn, &QPushButton::clicked, this, &TSixChBalanceForm::DefaultBitBtnClick);
    connect(ui.CloseBitBtn, &QPushButton::clicked, this, &QWidget::hide);
}

void TSixChBalanceForm::ChannelApply(int channel) {
    const Strip& strip = strips_[channel - 1];
    const int offset = strip.slider->value();
    const int code = kMaxCode - (OkapiForm->MasterVolumePosition() + offset);

    QK310Form->VolumeCodeText(kZeroDbCode - offset, strip.readout);
    QK310Form->VolumeCodeText(code, OkapiForm->ChannelReadout(channel));
    OkapiForm->ChannelHexReadout(channel)->setText(code >= 0 ? QString::asprintf("0x%04X", code)
                                                             : QString("0x00"));

    // Beyond the quietest code the channel is muted: the register gets 00h.
    const uint8_t sub = static_cast<uint8_t>(kFirstVolumeRegister + channel - 1);
    qk::QK310RegisterImage& image = RegistersForm->Image();
    image.Current(sub) = static_cast<uint8_t>(code >= 0 ? code : 0);
    image.WriteRegister(sub, image.Current(sub));
}

void TSixChBalanceForm::ApplyAllChannelVolumes() {
    for (int channel = 1; channel <= 6; ++channel) ChannelApply(channel);
}

void TSixChBalanceForm::ChannelZero(int channel) {
    // A low-then-high pulse on the channel's "No ERM" bit; it ends set whatever it was before.
    qk::QK310RegisterImage& image = RegistersForm->Image();
    const uint8_t bit = static_cast<uint8_t>(1u << (channel - 1));
    const uint8_t cleared = image.Current(kErrorRecoveryRegister) & ~bit;
    for (uint8_t value : {cleared, static_cast<uint8_t>(cleared | bit)}) {
        image.Current(kErrorRecoveryRegister) = value;
        image.WriteRegister(kErrorRecoveryRegister, image.Current(kErrorRecoveryRegister));
    }
    strips_[channel - 1].slider->setValue(0);
    ChannelApply(channel);
}

void TSixChBalanceForm::DefaultBitBtnClick() {
    for (int channel = 1; channel <= 6; ++channel) {
        if (!OkapiForm->VolumeCheckBox(channel)->isChecked()) continue;
        strips_[channel - 1].slider->setValue(0);
        ChannelApply(channel);
    }
}

void TSixChBalanceForm::EnableChannel(int channel, bool enabled) {
    strips_.at(channel - 1).slider->setEnabled(enabled);
    strips_.at(channel - 1).zero->setEnabled(enabled);
}
