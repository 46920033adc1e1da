#include "gui/gen1/Balanceunitsixch.h"

#include "core/chips/QK310VolumeCode.h"
#include "gui/gen1/Registersunit.h"
#include "gui/registerkit/BalanceStrips.h"
#include "gui/registry/Forms.h"
#include "gui/widgets/SliderScale.h"
#include "gui/widgets/ValueReadout.h"

namespace {

using Registers = qk::QK310RegisterImage;

constexpr int kZeroDbCode = 201;  // offset 0 reads "0.0 dB"
constexpr int kNoOffset = 0;

// Offsets 0 (top, no attenuation) .. 201; each strip's readout above its "Zero" button, and the
// layout's scale labels left of the first slider.
qk::ChannelStripLayout StripLayout() {
    return {
        .pitch = 70,
        .stripsPerRow = qk::ChannelCount,
        .rowPitch = 0,
        .label = {64, 6, 56, 16},
        .trackBar = {78, 26, 28, 206},
        .zeroButton = {66, 262, 52, 24},
        .firstReadout = {59, 238, 66, 18},
        .readoutPitch = 0,  // a single readout
        .trackBarName = "VolTrackBar%1",
        .maximum = kZeroDbCode,
        .pageStep = 6,
        .tickInterval = 20,
        .initialPosition = kNoOffset,
        .zeroPosition = kNoOffset,
        .zeroButtonName = "Ch%1ResetBitBtn",
        .zeroCaption = "Zero",
        .readoutAlignment = Qt::AlignRight | Qt::AlignVCenter,
        .readoutPointSize = 0,
        .readouts = {{.nameSuffix = "Readout", .initialText = " 0.0 dB  "}},
    };
}

// What a strip's own readout shows at an offset: the attenuation alone.
std::string OffsetText(int offset) {
    return qk::QK310VolumeCodeText(kZeroDbCode - offset);
}

uint8_t VolumeRegister(int channel) {
    return static_cast<uint8_t>(Registers::FirstVolumeRegister + channel - 1);
}

}  // namespace

TSixChBalanceForm::TSixChBalanceForm(qk::ChipSession& session, qk::ChannelPanel& channels,
                                     QWidget* parent)
    : QWidget(parent), session_(session), channels_(channels) {
    ui.setupUi(this);
    setFixedSize(size());
    strips_.Build(
        this, StripLayout(), [this](int channel) { ChannelApply(channel); },
        [this](int channel) { ChannelZero(channel); });
    new qk::SliderScale(OffsetSlider(1),
                        {ui.ScaleLabel1, ui.ScaleLabel2, ui.ScaleLabel3, ui.ScaleLabel4,
                         ui.ScaleLabel5, ui.ScaleLabel6},
                        OffsetText);
    connect(ui.DefaultBitBtn, &QPushButton::clicked, this, &TSixChBalanceForm::DefaultBitBtnClick);
    connect(ui.CloseBitBtn, &QPushButton::clicked, this, &QWidget::hide);
}

void TSixChBalanceForm::ChannelApply(int channel) {
    if (!qk::ChannelStrips::ValidChannel(channel)) return;
    const qk::ChannelStrip& strip = strips_.Strip(channel);
    const int offset = strip.trackBar->value();
    const int code = qk::QK310LoudestVolumeCode -
                     (channels_.MasterVolumePosition(qk::ChipGeneration::First) + offset);
    strip.readouts.front()->setText(QString::fromStdString(OffsetText(offset)));
    ShowOnMainWindow(channel, code);
    // Beyond the quietest code the channel is muted: the register gets 00h.
    session_.FirstGenerationImage().StoreAndWrite(VolumeRegister(channel),
                                                  static_cast<uint8_t>(code >= 0 ? code : 0));
}

void TSixChBalanceForm::ShowOnMainWindow(int channel, int code) {
    qk::ShowValueText(channels_.ChannelReadout(channel), qk::QK310VolumeCodeText(code));
    channels_.ChannelHexReadout(channel)->setText(code >= 0 ? QString::asprintf("0x%04X", code)
                                                            : QString("0x00"));
}

void TSixChBalanceForm::ApplyAllChannelVolumes() {
    for (int channel = 1; channel <= qk::ChannelCount; ++channel) ChannelApply(channel);
}

void TSixChBalanceForm::ChannelZero(int channel) {
    qk::ZeroAfterErrorRecovery(strips_, session_.FirstGenerationImage(),
                               Registers::ErrorRecoveryRegister, channel);
}

void TSixChBalanceForm::DefaultBitBtnClick() {
    qk::ZeroCheckedChannels(strips_,
                            [this](int channel) { return channels_.ChannelEnabled(channel); });
}

void TSixChBalanceForm::EnableChannel(int channel, bool enabled) {
    strips_.Enable(channel, enabled);
}
