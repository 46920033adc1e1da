#include "gui/gen1/QK320unit.h"

TQK320Form::TQK320Form(QWidget* parent) : TQK310Form(qk::QK320PowerOnDefaults, true, parent) {
    setObjectName("QK320Form");
    setWindowTitle("QK320Form");
}
