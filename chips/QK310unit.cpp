#include "chips/QK310unit.h"

#include "app/Forms.h"
#include "chips/QK310VolumeCode.h"
#include "gen1/Registersunit.h"

TQK310Form::TQK310Form(QWidget* parent) : TQK310Form(qk::QK310PowerOnDefaults, false, parent) {
    setObjectName("QK310Form");
    setWindowTitle("QK310Form");
}

TQK310Form::TQK310Form(const std::array<uint8_t, qk::QK310RegisterImage::Entries>& defaults,
                       bool hasAbdDelay, QWidget* parent)
    : QWidget(parent), defaults_(defaults), hasAbdDelay_(hasAbdDelay) {
    setFixedSize(120, 40);  // never shown
}

void TQK310Form::LoadPowerOnDefaults() {
    RegistersForm->Image().DefaultImage = defaults_;
}

void TQK310Form::InitSubAddresses() {
    RegistersForm->Image().InitSubAddresses();
}

void TQK310Form::CaptureDefaultImage() {
    qk::QK310RegisterImage& image = RegistersForm->Image();
    for (int entry = 0; entry < qk::QK310RegisterImage::Entries; ++entry)
        image.DefaultImage[entry] = image.ReadRegister(image.SubAddressTable[entry]);
}

void TQK310Form::ActivateChipModel() {}

void TQK310Form::VolumeCodeText(int code, QLabel* label) const {
    label->setText(QString::fromStdString(qk::QK310VolumeCodeText(code)));
}

void TQK310Form::ApplyChannelEnable(int) {}
