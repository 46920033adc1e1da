#include "gui/gen1/Dcoffsetunit.h"

#include "core/chips/QK310Offsets.h"
#include "core/chips/QK310RegisterImage.h"

namespace {

// Position 0 (top) is +127 = 0x7F, 127 is 0, 255 (bottom) is -128 = 0x80.
uint8_t OffsetRegister(int position) {
    return static_cast<uint8_t>(static_cast<int8_t>(127 - position));
}

int OffsetPosition(uint8_t value) {
    return 127 - static_cast<int8_t>(value);
}

QString PercentText(uint8_t value) {
    return QString::fromStdString(qk::QK310DcOffsetPercentText(value));
}

qk::ChannelSliderEncoding DcOffsetEncoding() {
    return {
        .registers = qk::QK310ChannelRegisters,
        .geometry = qk::QK310StripGeometry,
        .channel1SubAddress = qk::QK310RegisterImage::FirstDcOffsetRegister,
        .registerValue = OffsetRegister,
        .position = OffsetPosition,
        .readouts = {{.label = {.nameSuffix = "Readout", .initialText = "0.000%"},
                      .text = PercentText},
                     {.label = {.nameSuffix = "HexReadout", .initialText = "0x00"},
                      .text = qk::HexByteText}},
        .initialPosition = 128,
        .tickInterval = 32,
    };
}

}  // namespace

TDCOffsetForm::TDCOffsetForm(qk::ChipSession& session, QWidget* parent)
    : ChannelSliderForm(session, DcOffsetEncoding(), parent) {
    ui.setupUi(this);
    BuildChannels();
    FollowFirstGenerationRefreshes();
    setFixedSize(size());
}
