#include "gui/widgets/ChannelStrips.h"

#include <QPushButton>
#include <QStyle>
#include <QToolButton>

#include "gui/widgets/Colors.h"

namespace qk {

namespace {

const char* const kChannelNames[ChannelCount] = {"one", "two", "three", "four", "five", "six"};

QString ChannelName(const char* pattern, int channel) {
    return QString::fromLatin1(pattern).arg(channel);
}

QAbstractButton* NewZeroButton(QWidget* window, const char* caption) {
    if (caption) return new QPushButton(caption, window);
    auto* button = new QToolButton(window);
    button->setAccessibleName("Zero");
    button->setIcon(window->style()->standardIcon(QStyle::SP_DialogResetButton));
    return button;
}

void MakeReadout(QLabel* readout, Qt::Alignment alignment, int pointSize) {
    readout->setAlignment(alignment);
    QFont bold = readout->font();
    bold.setBold(true);
    if (pointSize > 0) bold.setPointSize(pointSize);
    readout->setFont(bold);
    SetTextColor(readout, clLime);
    SetBackgroundColor(readout, clBlack);
}

}  // namespace

bool ChannelStrips::ValidChannel(int channel) {
    return channel >= 1 && channel <= ChannelCount;
}

void ChannelStrips::Build(QWidget* window, ChannelStripLayout layout,
                          std::function<void(int)> changed, std::function<void(int)> zeroClicked) {
    layout_ = std::move(layout);
    changed_ = std::move(changed);
    for (int channel = 1; channel <= ChannelCount; ++channel) {
        ChannelStrip& strip = strips_[channel - 1];
        strip = BuildStrip(window, channel);
        QObject::connect(strip.trackBar, &QSlider::valueChanged, window,
                         [onChange = changed_, channel] { onChange(channel); });
        QObject::connect(strip.zeroButton, &QAbstractButton::clicked, window,
                         [zeroClicked, channel] { zeroClicked(channel); });
    }
}

ChannelStrip ChannelStrips::BuildStrip(QWidget* window, int channel) const {
    const int index = channel - 1;
    const QPoint offset(index % layout_.stripsPerRow * layout_.pitch,
                        index / layout_.stripsPerRow * layout_.rowPitch);
    ChannelStrip strip;

    auto* name = new QLabel(kChannelNames[channel - 1], window);
    name->setObjectName(ChannelName("Ch%1Label", channel));
    name->setGeometry(layout_.label.translated(offset));
    name->setAlignment(Qt::AlignCenter);

    QSlider* bar = strip.trackBar = new QSlider(Qt::Vertical, window);
    bar->setObjectName(ChannelName(layout_.trackBarName, channel));
    bar->setGeometry(layout_.trackBar.translated(offset));
    bar->setRange(0, layout_.maximum);
    bar->setInvertedAppearance(true);  // position 0 at the top
    bar->setInvertedControls(true);
    bar->setPageStep(layout_.pageStep);
    bar->setTickPosition(QSlider::TicksBothSides);
    bar->setTickInterval(layout_.tickInterval);
    bar->setValue(layout_.initialPosition);

    strip.zeroButton = NewZeroButton(window, layout_.zeroCaption);
    strip.zeroButton->setObjectName(ChannelName(layout_.zeroButtonName, channel));
    strip.zeroButton->setGeometry(layout_.zeroButton.translated(offset));

    QRect place = layout_.firstReadout.translated(offset);
    for (const StripReadout& kind : layout_.readouts) {
        auto* readout = new QLabel(kind.initialText, window);
        readout->setObjectName(ChannelName("Ch%1", channel) + kind.nameSuffix);
        readout->setGeometry(place);
        MakeReadout(readout, layout_.readoutAlignment, layout_.readoutPointSize);
        strip.readouts.push_back(readout);
        place.translate(0, layout_.readoutPitch);
    }
    return strip;
}

const ChannelStrip& ChannelStrips::Strip(int channel) const {
    static const ChannelStrip none;
    return ValidChannel(channel) ? strips_[channel - 1] : none;
}

void ChannelStrips::Enable(int channel, bool enabled) const {
    if (!ValidChannel(channel)) return;
    Strip(channel).trackBar->setEnabled(enabled);
    Strip(channel).zeroButton->setEnabled(enabled);
}

void ChannelStrips::Zero(int channel) const {
    if (!ValidChannel(channel)) return;
    Strip(channel).trackBar->setValue(layout_.zeroPosition);
    changed_(channel);
}

}  // namespace qk
