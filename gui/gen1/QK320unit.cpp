#include "gui/gen1/QK320unit.h"

TQK320Form::TQK320Form(qk::ChipSession& session, qk::ChannelPanel& channels, QWidget* parent)
    : TQK310Form(session, channels, qk::QK320PowerOnDefaults, true, parent) {
    setObjectName("QK320Form");
    setWindowTitle("QK320Form");
}
