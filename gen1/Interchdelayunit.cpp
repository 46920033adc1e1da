#include "gen1/Interchdelayunit.h"

#include "chips/QK310RegisterImage.h"
#include "gen1/ChannelDelayEncoding.h"

TInterchDelayForm::TInterchDelayForm(QWidget* parent)
    : ChannelSliderForm(qk::ChannelDelayEncoding(qk::QK310ChannelRegisters, qk::QK310StripGeometry,
                                                 qk::QK310RegisterImage::FirstDelayRegister),
                        parent) {
    ui.setupUi(this);
    BuildChannels();
    setFixedSize(size());
}
