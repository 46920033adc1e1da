#include "gui/registerkit/ChannelSliderForm.h"

#include <QPushButton>

namespace qk {

namespace {

void StoreAndWriteQK310(ChipSession& session, uint8_t subAddress, uint8_t value) {
    session.FirstGenerationImage().StoreAndWrite(subAddress, value);
}

uint8_t RestoreQK310Default(ChipSession& session, uint8_t subAddress) {
    QK310RegisterImage& image = session.FirstGenerationImage();
    image.RestoreRegister(QK310RegisterImage::EntryOf(subAddress));  // its refresh sets the slider
    return image.Current(subAddress);
}

ChannelStripLayout StripLayout(const ChannelSliderEncoding& encoding) {
    const StripGeometry& place = encoding.geometry;
    ChannelStripLayout layout = {
        .pitch = place.pitch,
        .stripsPerRow = ChannelCount,
        .rowPitch = 0,
        .label = place.label,
        .trackBar = place.trackBar,
        .zeroButton = place.zeroButton,
        .firstReadout = place.firstReadout,
        .readoutPitch = place.readoutPitch,
        .trackBarName = "Ch%1TrackBar",
        .maximum = 255,
        .pageStep = 3,
        .tickInterval = encoding.tickInterval,
        .initialPosition = encoding.initialPosition,
        .zeroPosition = encoding.position(0),
        .zeroButtonName = "Ch%1ZeroButton",
        .zeroCaption = nullptr,
        .readoutAlignment = Qt::AlignCenter,
        .readoutPointSize = 0,
        .readouts = {},
    };
    for (const ChannelReadout& readout : encoding.readouts)
        layout.readouts.push_back(readout.label);
    return layout;
}

}  // namespace

const ChannelRegisters QK310ChannelRegisters = {
    .storeAndWrite = StoreAndWriteQK310,
    .restoreDefault = RestoreQK310Default,
};

// The scale labels of both first-generation layouts line up with these sliders.
const StripGeometry QK310StripGeometry = {
    .pitch = 64,
    .label = {64, 6, 60, 18},
    .trackBar = {79, 28, 30, 264},
    .zeroButton = {82, 296, 24, 20},
    .firstReadout = {64, 320, 60, 18},
    .readoutPitch = 20,
};

QString HexByteText(uint8_t value) {
    return QString::asprintf("0x%02X", value);
}

ChannelSliderForm::ChannelSliderForm(ChipSession& session, ChannelSliderEncoding encoding,
                                     QWidget* parent)
    : QWidget(parent), session_(session), encoding_(std::move(encoding)) {}

void ChannelSliderForm::BuildChannels() {
    strips_.Build(
        this, StripLayout(encoding_), [this](int channel) { ChannelTrackBarChange(channel); },
        [this](int channel) { ZeroButtonClick(channel); });
    connect(findChild<QPushButton*>("DefaultBitBtn"), &QPushButton::clicked, this,
            &ChannelSliderForm::DefaultBitBtnClick);
    connect(findChild<QPushButton*>("CloseBitBtn"), &QPushButton::clicked, this,
            &ChannelSliderForm::CloseBitBtnClick);
}

void ChannelSliderForm::FollowFirstGenerationRefreshes() {
    connect(&session_, &ChipSession::registerRefreshed, this,
            [this](ChipFamily family, uint8_t reg) {
                if (family != ChipFamily::QK310) return;
                if (const int channel = ChannelOf(reg))
                    SetChannelFromValue(channel, session_.FirstGenerationImage().Current(reg));
            });
}

uint8_t ChannelSliderForm::SubAddress(int channel) const {
    return static_cast<uint8_t>(encoding_.channel1SubAddress + channel - 1);
}

int ChannelSliderForm::ChannelOf(uint8_t subAddress) const {
    const int channel = subAddress - encoding_.channel1SubAddress + 1;
    return ChannelStrips::ValidChannel(channel) ? channel : 0;
}

void ChannelSliderForm::SetChannelFromValue(int channel, uint8_t value) {
    if (!ChannelStrips::ValidChannel(channel)) return;
    TrackBar(channel)->setValue(encoding_.position(value));  // runs the change only if it moves
}

void ChannelSliderForm::EnableChannel(int channel, bool enabled) {
    strips_.Enable(channel, enabled);
}

void ChannelSliderForm::ChannelTrackBarChange(int channel) {
    if (!ChannelStrips::ValidChannel(channel)) return;
    const ChannelStrip& strip = strips_.Strip(channel);
    const uint8_t value = encoding_.registerValue(strip.trackBar->value());
    for (size_t i = 0; i < strip.readouts.size(); ++i)
        strip.readouts[i]->setText(encoding_.readouts[i].text(value));
    encoding_.registers.storeAndWrite(session_, SubAddress(channel), value);
}

void ChannelSliderForm::ZeroButtonClick(int channel) {
    strips_.Zero(channel);
}

void ChannelSliderForm::DefaultBitBtnClick() {
    for (int channel = 1; channel <= ChannelCount; ++channel)
        SetChannelFromValue(channel,
                            encoding_.registers.restoreDefault(session_, SubAddress(channel)));
}

void ChannelSliderForm::CloseBitBtnClick() {
    hide();
}

}  // namespace qk
