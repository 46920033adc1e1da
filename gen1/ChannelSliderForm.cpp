#include "gen1/ChannelSliderForm.h"

#include <QPushButton>
#include <QStyle>

#include "app/Forms.h"
#include "gen1/Registersunit.h"
#include "widgets/Colors.h"

namespace qk {

namespace {

// Strip geometry; the scale labels of the layouts line up with the sliders.
constexpr int kLeft = 64, kPitch = 64, kStripWidth = 60, kTop = 28, kSliderHeight = 264,
              kSliderWidth = 30, kReadoutHeight = 18, kReadoutPitch = 20;
const char* const kChannelNames[] = {"one", "two", "three", "four", "five", "six"};

QString ChannelName(int channel, const char* kind) {
    return QStringLiteral("Ch%1%2").arg(channel).arg(QLatin1String(kind));
}

bool ValidChannel(int channel) {
    return channel >= 1 && channel <= ChannelSliderForm::Channels;
}

}  // namespace

QString HexByteText(uint8_t value) {
    return QString::asprintf("0x%02X", value);
}

ChannelSliderForm::ChannelSliderForm(ChannelSliderEncoding encoding, QWidget* parent)
    : QWidget(parent), encoding_(std::move(encoding)) {}

void ChannelSliderForm::BuildChannels() {
    for (int channel = 1; channel <= Channels; ++channel)
        strips_[channel - 1] = BuildStrip(channel);
    connect(findChild<QPushButton*>("DefaultBitBtn"), &QPushButton::clicked, this,
            &ChannelSliderForm::DefaultBitBtnClick);
    connect(findChild<QPushButton*>("CloseBitBtn"), &QPushButton::clicked, this,
            &ChannelSliderForm::CloseBitBtnClick);
}

ChannelSliderForm::ChannelStrip ChannelSliderForm::BuildStrip(int channel) {
    const int left = kLeft + (channel - 1) * kPitch;
    ChannelStrip strip;

    auto* name = new QLabel(kChannelNames[channel - 1], this);
    name->setObjectName(ChannelName(channel, "Label"));
    name->setGeometry(left, 6, kStripWidth, kReadoutHeight);
    name->setAlignment(Qt::AlignCenter);

    strip.trackBar = new QSlider(Qt::Vertical, this);
    QSlider* bar = strip.trackBar;
    bar->setObjectName(ChannelName(channel, "TrackBar"));
    bar->setGeometry(left + (kStripWidth - kSliderWidth) / 2, kTop, kSliderWidth, kSliderHeight);
    bar->setRange(0, 255);
    bar->setInvertedAppearance(true);  // position 0 at the top
    bar->setInvertedControls(true);
    bar->setPageStep(3);
    bar->setTickPosition(QSlider::TicksBothSides);
    bar->setTickInterval(encoding_.tickInterval);
    bar->setValue(encoding_.initialPosition);
    connect(bar, &QSlider::valueChanged, this, [this, channel] { ChannelTrackBarChange(channel); });

    const int zeroTop = kTop + kSliderHeight + 4;
    strip.zeroButton = new QToolButton(this);
    strip.zeroButton->setObjectName(ChannelName(channel, "ZeroButton"));
    strip.zeroButton->setAccessibleName("Zero");
    strip.zeroButton->setIcon(style()->standardIcon(QStyle::SP_DialogResetButton));
    strip.zeroButton->setGeometry(left + (kStripWidth - 24) / 2, zeroTop, 24, 20);
    connect(strip.zeroButton, &QToolButton::clicked, this,
            [this, channel] { ZeroButtonClick(channel); });

    int top = zeroTop + 24;
    for (const ChannelReadout& kind : encoding_.readouts) {
        auto* readout = new QLabel(kind.initialText, this);
        readout->setObjectName(ChannelName(channel, kind.nameSuffix));
        readout->setGeometry(left, top, kStripWidth, kReadoutHeight);
        readout->setAlignment(Qt::AlignCenter);
        QFont bold = readout->font();
        bold.setBold(true);
        readout->setFont(bold);
        SetTextColor(readout, clLime);
        SetBackgroundColor(readout, clBlack);
        strip.readouts.push_back(readout);
        top += kReadoutPitch;
    }
    return strip;
}

const ChannelSliderForm::ChannelStrip& ChannelSliderForm::Strip(int channel) const {
    static const ChannelStrip none;
    return ValidChannel(channel) ? strips_[channel - 1] : none;
}

uint8_t ChannelSliderForm::SubAddress(int channel) const {
    return static_cast<uint8_t>(encoding_.channel1SubAddress + channel - 1);
}

void ChannelSliderForm::SetChannelFromValue(int channel, uint8_t value) {
    if (!ValidChannel(channel)) return;
    TrackBar(channel)->setValue(encoding_.position(value));  // runs the change only if it moves
}

void ChannelSliderForm::EnableChannel(int channel, bool enabled) {
    if (!ValidChannel(channel)) return;
    TrackBar(channel)->setEnabled(enabled);
    ZeroButton(channel)->setEnabled(enabled);
}

void ChannelSliderForm::ChannelTrackBarChange(int channel) {
    if (!ValidChannel(channel)) return;
    const ChannelStrip& strip = Strip(channel);
    const uint8_t value = encoding_.registerValue(strip.trackBar->value());
    for (size_t i = 0; i < strip.readouts.size(); ++i)
        strip.readouts[i]->setText(encoding_.readouts[i].text(value));

    QK310RegisterImage& image = RegistersForm->Image();
    const uint8_t sub = SubAddress(channel);
    image.Current(sub) = value;
    image.WriteRegister(sub, image.Current(sub));
}

void ChannelSliderForm::ZeroButtonClick(int channel) {
    if (!ValidChannel(channel)) return;
    TrackBar(channel)->setValue(encoding_.zeroPosition);
    ChannelTrackBarChange(channel);
}

void ChannelSliderForm::DefaultBitBtnClick() {
    QK310RegisterImage& image = RegistersForm->Image();
    const int firstEntry = QK310RegisterImage::EntryOf(encoding_.channel1SubAddress);
    for (int channel = 1; channel <= Channels; ++channel)
        image.RestoreRegister(firstEntry + channel - 1);  // its refresh sets the slider
}

void ChannelSliderForm::CloseBitBtnClick() {
    hide();
}

}  // namespace qk
