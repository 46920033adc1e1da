#include "gui/qk330/QK330Interchdelayunit.h"

#include "gui/registerkit/ChannelDelayEncoding.h"

namespace {

constexpr uint8_t kChannel1DelayRegister = 0x20;

void StoreAndWriteQK330(qk::ChipSession& session, uint8_t subAddress, uint8_t value) {
    session.QK330Image().StoreAndWrite(subAddress, value);
}

uint8_t RestoreQK330Default(qk::ChipSession& session, uint8_t subAddress) {
    qk::QK330RegisterImage& image = session.QK330Image();
    return image.Current(subAddress) =
               image.DefaultImage.at(qk::QK330RegisterImage::EntryOf(subAddress));
}

qk::ChannelSliderEncoding DelayEncoding() {
    return qk::ChannelDelayEncoding(
        {.storeAndWrite = StoreAndWriteQK330, .restoreDefault = RestoreQK330Default},
        // The layout's scale labels line up with these sliders.
        {.pitch = 50,
         .label = {60, 6, 48, 18},
         .trackBar = {69, 24, 30, 226},
         .zeroButton = {72, 252, 24, 20},
         .firstReadout = {60, 276, 48, 16},
         .readoutPitch = 0},
        kChannel1DelayRegister);
}

}  // namespace

TQK330InterchDelayForm::TQK330InterchDelayForm(qk::ChipSession& session, QWidget* parent)
    : ChannelSliderForm(session, DelayEncoding(), parent) {
    ui.setupUi(this);
    BuildChannels();
    setFixedSize(size());
    connect(&session, &qk::ChipSession::registerRefreshed, this,
            [this, &session](qk::ChipFamily family, uint8_t reg) {
                const int channel = reg - kChannel1DelayRegister + 1;
                if (family == qk::ChipFamily::QK330 && qk::ChannelStrips::ValidChannel(channel))
                    SetChannelFromValue(channel, session.QK330Image().Current(reg));
            });
}
