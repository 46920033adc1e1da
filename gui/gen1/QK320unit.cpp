#include "gui/gen1/QK320unit.h"

TQK320Form::TQK320Form(qk::ChipSession& session, QWidget* parent) : TQK310Form(session, qk::QK320PowerOnDefaults, true, parent) {
    setObjectName("QK320Form");
    setWindowTitle("QK320Form");
}
