#include "link/I2cunit.h"

TI2CForm::TI2CForm(qk::PortIo& port, qk::I2cErrorSink& errors, qk::FrameLogSink& log,
                   QWidget* parent)
    : QWidget(parent), bus_(port, errors, log) {
    ui.setupUi(this);
    setFixedSize(size());
}

void TI2CForm::CalibrateScl(double) {}
