#include "gui/qk330/QK330Dcoffsetunit.h"

#include <QLabel>

#include "core/chips/QK330Offsets.h"
#include "gui/registry/Forms.h"
#include "gui/widgets/ValueReadout.h"

namespace {

constexpr int kCompactPointSize = 7;               // the longest readouts fit their strips
constexpr uint8_t kChannel1OffsetRegister = 0x14;  // high byte; channel n's is 2(n - 1) further
constexpr int kOffsetBytes = 2 * qk::ChannelCount;

// Percent and hex readouts under each slider, the zero button beside its middle; the layout's
// scale labels line up with the sliders.
qk::ChannelStripLayout StripLayout() {
    return {
        .pitch = 56,
        .stripsPerRow = qk::ChannelCount,
        .rowPitch = 0,
        .label = {58, 4, 52, 16},
        .trackBar = {66, 22, 28, 238},
        .zeroButton = {94, 131, 20, 20},
        .firstReadout = {58, 264, 54, 16},
        .readoutPitch = 18,
        .trackBarName = "Ch%1TrackBar",
        .maximum = qk::OffsetSliderMaximum,
        .pageStep = 10,
        .tickInterval = 512,
        .initialPosition = qk::DcOffsetZeroPosition + 1,
        .zeroPosition = qk::DcOffsetZeroPosition,
        .zeroButtonName = "Ch%1ZeroButton",
        .zeroCaption = nullptr,
        .readoutAlignment = Qt::AlignCenter,
        .readoutPointSize = kCompactPointSize,
        .readouts = {{.nameSuffix = "Readout", .initialText = "0.0000%"},
                     {.nameSuffix = "HexReadout", .initialText = "0x0000"}},
    };
}

uint8_t OffsetRegister(int channel) {
    return static_cast<uint8_t>(kChannel1OffsetRegister + 2 * (channel - 1));
}

}  // namespace

TQK330DCOffsetForm::TQK330DCOffsetForm(qk::ChipSession& session, QWidget* parent)
    : QWidget(parent), session_(session) {
    ui.setupUi(this);
    setFixedSize(size());
    strips_.Build(
        this, StripLayout(), [this](int channel) { ChannelTrackBarChange(channel); },
        [this](int channel) { strips_.Zero(channel); });
    connect(ui.DefaultBitBtn, &QPushButton::clicked, this, &TQK330DCOffsetForm::DefaultBitBtnClick);
    connect(ui.CloseBitBtn, &QPushButton::clicked, this, &QWidget::hide);
    connect(&session_, &qk::ChipSession::offsetWordRestored, this, [this](uint8_t reg) {
        for (int channel = 1; channel <= qk::ChannelCount; ++channel)
            if (reg == OffsetRegister(channel))
                SetChannelFromValue(channel, session_.QK330Image().DefaultWord(reg));
    });
}

void TQK330DCOffsetForm::SetChannelFromValue(int channel, uint16_t value) {
    if (!qk::ChannelStrips::ValidChannel(channel)) return;
    strips_.Strip(channel).trackBar->setValue(qk::DcOffsetPosition(value));
    ShowHeldValue(channel);
}

// A value beyond 13 bits that the slider did not replace reads as no code, not as the slider's
// end.
void TQK330DCOffsetForm::ShowHeldValue(int channel) {
    if (!qk::ChannelStrips::ValidChannel(channel)) return;
    const qk::ChannelStrip& strip = strips_.Strip(channel);
    const uint16_t held = session_.QK330Image().CurrentWord(OffsetRegister(channel));
    qk::ShowValueText(strip.readouts[0], qk::DcOffsetValueText(held));
    strip.readouts[1]->setText(QString::fromStdString(qk::HexWordText(held)));
}

void TQK330DCOffsetForm::EnableChannel(int channel, bool enabled) {
    strips_.Enable(channel, enabled);
}

void TQK330DCOffsetForm::ChannelTrackBarChange(int channel) {
    if (!qk::ChannelStrips::ValidChannel(channel)) return;
    const qk::ChannelStrip& strip = strips_.Strip(channel);
    const int position = strip.trackBar->value();
    const uint16_t value = qk::DcOffsetRegisterValue(position);
    qk::ShowValueText(strip.readouts[0], qk::DcOffsetPercentText(position));
    strip.readouts[1]->setText(QString::fromStdString(qk::HexWordText(value)));
    session_.QK330Image().StoreAndWriteWord(OffsetRegister(channel), value);
}

void TQK330DCOffsetForm::DefaultBitBtnClick() {
    qk::QK330RegisterImage& image = session_.QK330Image();
    const int first = qk::QK330RegisterImage::EntryOf(kChannel1OffsetRegister);
    for (int entry = first; entry < first + kOffsetBytes; ++entry)
        image.CurrentImage[entry] = image.DefaultImage[entry];
    for (int channel = 1; channel <= qk::ChannelCount; ++channel)
        SetChannelFromValue(channel, image.DefaultWord(OffsetRegister(channel)));
}
