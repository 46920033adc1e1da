#include "gui/gen1/Interchdelayunit.h"

#include "core/chips/QK310RegisterImage.h"
#include "gui/registerkit/ChannelDelayEncoding.h"

TInterchDelayForm::TInterchDelayForm(qk::ChipSession& session, QWidget* parent)
    : ChannelSliderForm(session,
                        qk::ChannelDelayEncoding(qk::QK310ChannelRegisters, qk::QK310StripGeometry,
                                                 qk::QK310RegisterImage::FirstDelayRegister),
                        parent) {
    ui.setupUi(this);
    BuildChannels();
    FollowFirstGenerationRefreshes();
    setFixedSize(size());
}
