#include "gui/qk330/QK330Balanceunitsixch.h"

#include <QLabel>
#include <algorithm>
#include <string>
#include <vector>

#include "core/chips/QK330Offsets.h"
#include "core/chips/QK330VolumeCode.h"
#include "gui/qk330/QK330Regunit.h"
#include "gui/registerkit/BalanceStrips.h"
#include "gui/registry/Forms.h"
#include "gui/widgets/Colors.h"
#include "gui/widgets/SliderScale.h"

namespace {

constexpr int kCompactPointSize = 7;                    // the longest readouts fit their strips
constexpr int kMuteOffset = qk::QK330ZeroDbVolumeCode;  // the bottom of the offset sliders
constexpr int kNoOffset = 0;
constexpr uint8_t kErrorRecoveryRegister = 0x12;
constexpr uint8_t kChannel1VolumeRegister = 0x26;  // high byte; channel n's is 2(n - 1) further
// The outer strips of each row carry a scale.
constexpr int kScaledChannels[] = {1, 3, 4, 6};

// Two rows of three strips; the layout's scale labels stand left of bars 1 and 4 and right of
// bars 3 and 6.
qk::ChannelStripLayout StripLayout() {
    return {
        .pitch = 56,
        .stripsPerRow = 3,
        .rowPitch = 244,
        .label = {40, 4, 52, 16},
        .trackBar = {52, 22, 28, 170},
        .zeroButton = {42, 196, 48, 22},
        .firstReadout = {38, 222, 56, 16},
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

// What a strip's own readout shows at an offset: the attenuation alone.
std::string OffsetText(int offset) {
    return qk::QK330VolumeCodeText(qk::QK330ZeroDbVolumeCode - offset);
}

// The labels of the scale beside a strip, top to bottom.
std::vector<QLabel*> ScaleLabels(const QWidget* window, int channel) {
    std::vector<QLabel*> labels;
    for (const char* pattern : {"Ch%1MaxLabel", "Ch%1MidLabel1", "Ch%1MidLabel2", "Ch%1MidLabel3",
                                "Ch%1MidLabel4", "Ch%1MinLabel"})
        labels.push_back(window->findChild<QLabel*>(QString(pattern).arg(channel)));
    return labels;
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

TQK330SixChBalanceForm::TQK330SixChBalanceForm(qk::ChipSession& session, qk::ChannelPanel& channels,
                                               QWidget* parent)
    : QWidget(parent), session_(session), channels_(channels) {
    ui.setupUi(this);
    setFixedSize(size());
    strips_.Build(
        this, StripLayout(), [this](int channel) { ApplyChannelVolume(channel); },
        [this](int channel) { ChannelResetBitBtnClick(channel); });
    for (int channel = 1; channel <= qk::ChannelCount; ++channel)
        ShowAsChannelName(findChild<QLabel*>(QString("Ch%1Label").arg(channel)));
    for (int channel : kScaledChannels)
        new qk::SliderScale(strips_.Strip(channel).trackBar, ScaleLabels(this, channel),
                            OffsetText);
    connect(ui.DefaultBitBtn, &QPushButton::clicked, this,
            &TQK330SixChBalanceForm::ZeroAllBitBtnClick);
    connect(ui.CloseBitBtn, &QPushButton::clicked, this, &QWidget::hide);
}

void TQK330SixChBalanceForm::ApplyChannelVolume(int channel) {
    if (!qk::ChannelStrips::ValidChannel(channel)) return;
    const qk::ChannelStrip& strip = strips_.Strip(channel);
    const int offset = strip.trackBar->value();
    const int code = qk::QK330LoudestVolumeCode -
                     (channels_.MasterVolumePosition(qk::ChipGeneration::QK330) + offset);
    // Beyond the quietest code the channel is muted: the register gets the mute code.
    const auto value = static_cast<uint16_t>(std::max(code, qk::QK330MuteVolumeCode));
    strip.readouts.front()->setText(QString::fromStdString(OffsetText(offset)));
    channels_.ChannelReadout(channel)->setText(CodeText(code));
    channels_.ChannelHexReadout(channel)->setText(QString::fromStdString(qk::HexWordText(value)));
    session_.QK330Image().StoreAndWriteWord(VolumeRegister(channel), value);
}

void TQK330SixChBalanceForm::ApplyAllChannelVolumes() {
    for (int channel = 1; channel <= qk::ChannelCount; ++channel) ApplyChannelVolume(channel);
}

void TQK330SixChBalanceForm::ZeroAllBitBtnClick() {
    qk::ZeroCheckedChannels(strips_,
                            [this](int channel) { return channels_.ChannelEnabled(channel); });
}

void TQK330SixChBalanceForm::ChannelResetBitBtnClick(int channel) {
    // The register editor's boxes of 12h are left as they are.
    qk::ZeroAfterErrorRecovery(strips_, session_.QK330Image(), kErrorRecoveryRegister, channel);
}

void TQK330SixChBalanceForm::EnableChannel(int channel, bool enabled) {
    strips_.Enable(channel, enabled);
}
