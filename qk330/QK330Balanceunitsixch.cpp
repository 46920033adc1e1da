#include "qk330/QK330Balanceunitsixch.h"

#include <QLabel>
#include <algorithm>

#include "app/Forms.h"
#include "app/Okapimain.h"
#include "chips/QK330Offsets.h"
#include "chips/QK330VolumeCode.h"
#include "gen1/BalanceStrips.h"
#include "qk330/QK330Regunit.h"
#include "widgets/Colors.h"

namespace {

constexpr int kCompactPointSize = 7;                    // the longest readouts fit their strips
constexpr int kMuteOffset = qk::QK330ZeroDbVolumeCode;  // the bottom of the offset sliders
constexpr int kNoOffset = 0;
constexpr uint8_t kErrorRecoveryRegister = 0x12;
constexpr uint8_t kChannel1VolumeRegister = 0x26;  // high byte; channel n's is 2(n - 1) further

// Two rows of three strips; the layout's scale labels stand left of bars 1 and 4 and right of
// bars 3 and 6.
qk::ChannelStripLayout StripLayout() {
    return {
        .pitch = 52,
        .stripsPerRow = 3,
        .rowPitch = 244,
        .label = {40, 4, 52, 16},
        .trackBar = {52, 22, 28, 170},
        .zeroButton = {42, 196, 48, 22},
        .firstReadout = {40, 222, 52, 16},
        .readoutPitch = 0,  // a single readout
        .trackBarName = "VolTrackBar%1",
        .maximum = kMuteOffset,
        .pageStep = 6,
        .tickInterval = 113,
        .initialPosition = kNoOffset,
        .zeroPosition = kNoOffset,
        .zeroButtonName = "Ch%1ResetBitBtn",
        .zeroCaption = "Reset",
        .readoutAlignment = Qt::AlignRight | Qt::AlignVCenter,
        .readoutPointSize = kCompactPointSize,
        .readouts = {{.nameSuffix = "Readout", .initialText = " 0.0 dB  "}},
    };
}

uint8_t VolumeRegister(int channel) {
    return static_cast<uint8_t>(kChannel1VolumeRegister + 2 * (channel - 1));
}

QString CodeText(int code) {
    return QString::fromStdString(qk::QK330VolumeCodeText(code));
}

// Navy bold italic.
void ShowAsChannelName(QLabel* name) {
    QFont font = name->font();
    font.setBold(true);
    font.setItalic(true);
    name->setFont(font);
    qk::SetTextColor(name, qk::clNavy);
}

}  // namespace

TQK330SixChBalanceForm::TQK330SixChBalanceForm(QWidget* parent) : QWidget(parent) {
    ui.setupUi(this);
    setFixedSize(size());
    strips_.Build(
        this, StripLayout(), [this](int channel) { ApplyChannelVolume(channel); },
        [this](int channel) { ChannelResetBitBtnClick(channel); });
    for (int channel = 1; channel <= qk::ChannelCount; ++channel)
        ShowAsChannelName(findChild<QLabel*>(QString("Ch%1Label").arg(channel)));
    connect(ui.DefaultBitBtn, &QPushButton::clicked, this,
            &TQK330SixChBalanceForm::ZeroAllBitBtnClick);
    connect(ui.CloseBitBtn, &QPushButton::clicked, this, &QWidget::hide);
}

void TQK330SixChBalanceForm::ApplyChannelVolume(int channel) {
    if (!qk::ChannelStrips::ValidChannel(channel)) return;
    const qk::ChannelStrip& strip = strips_.Strip(channel);
    const int offset = strip.trackBar->value();
    const int code = qk::QK330LoudestVolumeCode - (OkapiForm->QK330MasterVolumePosition() + offset);
    // Beyond the quietest code the channel is muted: the register gets the mute code.
    const auto value = static_cast<uint16_t>(std::max(code, qk::QK330MuteVolumeCode));
    strip.readouts.front()->setText(CodeText(qk::QK330ZeroDbVolumeCode - offset));
    OkapiForm->ChannelReadout(channel)->setText(CodeText(code));
    OkapiForm->ChannelHexReadout(channel)->setText(QString::fromStdString(qk::HexWordText(value)));
    QK330RegForm->Image().StoreAndWriteWord(VolumeRegister(channel), value);
}

void TQK330SixChBalanceForm::ApplyAllChannelVolumes() {
    for (int channel = 1; channel <= qk::ChannelCount; ++channel) ApplyChannelVolume(channel);
}

void TQK330SixChBalanceForm::ZeroAllBitBtnClick() {
    qk::ZeroCheckedChannels(strips_);
}

void TQK330SixChBalanceForm::ChannelResetBitBtnClick(int channel) {
    // The register editor's boxes of 12h are left as they are.
    qk::ZeroAfterErrorRecovery(
        strips_, []() -> qk::ByteRegisters& { return QK330RegForm->Image(); },
        kErrorRecoveryRegister, channel);
}

void TQK330SixChBalanceForm::EnableChannel(int channel, bool enabled) {
    strips_.Enable(channel, enabled);
}
