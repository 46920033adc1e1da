#include "qk330/QK330SEOffsetRegunit.h"

TQK330SEOffsetRegForm::TQK330SEOffsetRegForm(QWidget* parent) : QWidget(parent) {
    setWindowTitle("QK330 SE Offset");
}

void TQK330SEOffsetRegForm::ShowSeOffsetByte(int, uint8_t) {}
