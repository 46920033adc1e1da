#include "gui/qk330/QK330Testregunit.h"

#include <QSignalBlocker>
#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <optional>
#include <string>

#include "gui/registry/Forms.h"
#include "gui/widgets/SliderScale.h"
#include "gui/widgets/WindowFrame.h"

namespace {

using Form = TQK330TestRegForm;

// Outer widths: the design's 258 and 634, widened for the dither, ADC/PSC and predictor columns
// whose captions the 8 pt font needs more room for.
constexpr int kQK330OuterWidth = 288, kQK340OuterWidth = 690;
constexpr uint8_t kPredictorDefault = 0x3D;
constexpr uint8_t kOverVoltageBit = 0x08;
constexpr int kClockDelayShift = 4;
constexpr uint8_t kDitherPositionBits = 0x1F;
constexpr uint8_t kTriangularBit = 0x20, kRectangularBit = 0x40;
enum NSDither { Triangular, Rectangular, NoNSDither };

// The bit-box registers (each group box named in its layout); each has a setup window. READ ALL
// reads them in this order, among the others.
// clang-format off
const qk::RegisterGroupLayout kBitRegisters[] = {
    {.reg = "79", .enabledBits = 0xFF, .initialBits = 0, .tristate = false, .groupBox = "PSCTest1GroupBox"},
    {.reg = "7A", .enabledBits = 0xFB, .initialBits = 0, .tristate = false, .groupBox = "PSCTest2GroupBox"},
    {.reg = "7E", .enabledBits = 0x1B, .initialBits = 0, .tristate = false, .groupBox = "Reg1EGroupBox"},
    {.reg = "7F", .enabledBits = 0xFF, .initialBits = 0, .tristate = false, .groupBox = "Reg1FGroupBox"},
};
// clang-format on
constexpr auto kResetHint = "If not Checked then Reset PSC";

QString HexReadout(int position) {
    return QString::asprintf("0x%02X", position);
}

// The predictor's scale: hex on one side, the same values in decimal on the other. A label marks
// the position its whole text names in the column's base.
constexpr const char* kPredictorHexScale[] = {"PSC_PredHexScale0Label", "PSC_PredHexScale3FLabel",
                                              "PSC_PredHexScale7FLabel", "PSC_PredHexScaleBFLabel",
                                              "PSC_PredHexScaleFFLabel"};
constexpr const char* kPredictorDecimalScale[] = {"PSC_PredScale0Label", "PSC_PredScale63Label",
                                                  "PSC_PredScale127Label", "PSC_PredScale191Label",
                                                  "PSC_PredScale255Label"};

qk::SliderScale::MarkPosition NumberInBase(int base) {
    return [base](const std::string& text) -> std::optional<int> {
        int value = 0;
        const char* end = text.data() + text.size();
        const auto [stop, error] = std::from_chars(text.data(), end, value, base);
        if (error != std::errc() || stop != end) return std::nullopt;
        return value;
    };
}

template <size_t N>
std::vector<QLabel*> Labels(const QWidget& window, const char* const (&names)[N]) {
    std::vector<QLabel*> labels;
    for (const char* name : names) labels.push_back(window.findChild<QLabel*>(name));
    return labels;
}

}  // namespace

TQK330TestRegForm::TQK330TestRegForm(qk::ChipSession& session, QWidget* parent)
    : QWidget(parent),
      session_(session),
      groups_(
          qk::QK330Map(), [&session]() -> qk::ByteRegisters& { return session.QK330Image(); },
          [this](uint8_t reg) { emit groupFollowed(reg); }) {
    ui.setupUi(this);
    groups_.Build(this, kBitRegisters);
    for (const qk::RegisterGroupLayout& layout : kBitRegisters) {
        const auto subAddress = uint8_t(std::strtoul(layout.reg, nullptr, 16));
        connect(findChild<QPushButton*>(QStringLiteral("Reg%1SendButton").arg(layout.reg)),
                &QPushButton::clicked, this,
                [this, subAddress] { BitRegisterSendButtonClick(subAddress); });
        connect(findChild<QPushButton*>(QStringLiteral("Reg%1Button").arg(layout.reg)),
                &QPushButton::clicked, this,
                [this, subAddress] { BitRegisterSetupButtonClick(subAddress); });
    }
    TestBoxes(PSCTest1Register)[7]->setToolTip(kResetHint);
    new qk::SliderScale(ui.PSC_PredTrackBar, Labels(*this, kPredictorHexScale), NumberInBase(16));
    new qk::SliderScale(ui.PSC_PredTrackBar, Labels(*this, kPredictorDecimalScale),
                        NumberInBase(10));

    connect(ui.Reg7BSendButton, &QPushButton::clicked, this, &Form::Reg7BSendButtonClick);
    connect(ui.Reg7DSendButton, &QPushButton::clicked, this, &Form::Reg7DSendButtonClick);
    connect(ui.DitherTrackBar, &QSlider::valueChanged, this, &Form::DitherTrackBarChange);
    connect(ui.DitherZeroBitBtn, &QPushButton::clicked, this, &Form::DitherZeroBitBtnClick);
    connect(ui.PSC_PredTrackBar, &QSlider::valueChanged, this, &Form::PSC_PredTrackBarChange);
    connect(ui.PSCPredictorDefaultButton, &QPushButton::clicked, this,
            &Form::PSCPredictorDefaultButtonClick);
    connect(ui.ReadAllButton, &QPushButton::clicked, this, &Form::ReadAllButtonClick);
    connect(ui.CancelButton, &QPushButton::clicked, this, &Form::CancelButtonClick);
    // A restore shows the bit registers, and their setup windows follow; 7Bh..7Dh are not shown
    // at a restore.
    connect(&session_, &qk::ChipSession::registerRefreshed, this,
            [this](qk::ChipFamily family, uint8_t reg) {
                if (family == qk::ChipFamily::QK330 && groups_.Shows(reg))
                    groups_.Refresh(reg, session_.QK330Image().Current(reg));
            });
    // The choice registers follow a read or a restore; the bit registers follow their boxes.
    connect(&session_, &qk::ChipSession::registerChanged, this,
            [this](qk::ChipFamily family, uint8_t reg) {
                if (family != qk::ChipFamily::QK330) return;
                for (uint8_t choice : {AdcPscControlRegister, PredictorRegister, DitherRegister})
                    if (reg == choice) ShowChoiceRegister(reg, session_.QK330Image().Current(reg));
            });
}

qk::RadioRegisterForm::Register TQK330TestRegForm::Binding(qk::ChipSession& session,
                                                           uint8_t subAddress) {
    // The setup windows are created after this window: its boxes are looked up when used.
    return {.subAddress = subAddress,
            .boxes = [subAddress] { return QK330TestRegForm->TestBoxes(subAddress); },
            .writesOnReload = true,
            .image = [&session]() -> qk::ByteRegisters& { return session.QK330Image(); }};
}

qk::BitBoxes TQK330TestRegForm::TestBoxes(uint8_t subAddress) const {
    return groups_.Boxes(subAddress);
}

void TQK330TestRegForm::ShowQK340Groups(bool shown) {
    for (QWidget* group : {ui.PSCTest1GroupBox, ui.PSCTest2GroupBox, ui.ADC_PSC_CTLGroupBox,
                           ui.PSCPredictorGroupBox})
        group->setVisible(shown);
    qk::SetOuterWidth(*this, shown ? kQK340OuterWidth : kQK330OuterWidth);
}

void TQK330TestRegForm::BitRegisterSendButtonClick(uint8_t subAddress) {
    groups_.Apply(subAddress);
}

void TQK330TestRegForm::BitRegisterSetupButtonClick(uint8_t subAddress) {
    emit setupRequested(subAddress);
}

void TQK330TestRegForm::Reg7BSendButtonClick() {
    const uint8_t overVoltage = ui.OverVoltageRadioGroup->itemIndex() == 1 ? kOverVoltageBit : 0;
    const int clockDelay = std::max(ui.ClkDlySelRadioGroup->itemIndex(), 0);
    session_.QK330Image().StoreAndWrite(AdcPscControlRegister,
                                        uint8_t(overVoltage | (clockDelay << kClockDelayShift)));
}

void TQK330TestRegForm::Reg7DSendButtonClick() {
    const int position = ui.DitherTrackBar->value();
    uint8_t value = uint8_t(position);
    switch (ui.NSDitherRadioGroup->itemIndex()) {
        case Triangular:
            value |= kTriangularBit;
            break;
        case Rectangular:
            value |= kRectangularBit;
            break;
        default:
            break;
    }
    ui.DitherHexReadout->setText(HexReadout(position));
    session_.QK330Image().StoreAndWrite(DitherRegister, value);
}

void TQK330TestRegForm::DitherTrackBarChange(int position) {
    ui.DitherHexReadout->setText(HexReadout(position));
    session_.QK330Image().StoreAndWrite(DitherRegister, uint8_t(position));
}

void TQK330TestRegForm::DitherZeroBitBtnClick() {
    ui.DitherTrackBar->setValue(0);
}

void TQK330TestRegForm::PSC_PredTrackBarChange(int position) {
    ui.PSC_PredHexReadout->setText(HexReadout(position));
    session_.QK330Image().StoreAndWrite(PredictorRegister, uint8_t(position));
}

void TQK330TestRegForm::PSCPredictorDefaultButtonClick() {
    ui.PSC_PredTrackBar->setValue(kPredictorDefault);
}

void TQK330TestRegForm::ReadBitRegister(uint8_t subAddress) {
    groups_.Read(subAddress);
}

void TQK330TestRegForm::ReadAdcPscControl() {
    ShowAdcPscControl(session_.QK330Image().ReadAndStore(AdcPscControlRegister));
}

void TQK330TestRegForm::ShowAdcPscControl(uint8_t value) {
    ui.OverVoltageRadioGroup->setItemIndex((value & kOverVoltageBit) ? 1 : 0);
    ui.ClkDlySelRadioGroup->setItemIndex(value >> kClockDelayShift);
}

void TQK330TestRegForm::ReadPredictor() {
    // A new position writes the register back, as any move of the track bar does.
    ui.PSC_PredTrackBar->setValue(session_.QK330Image().ReadAndStore(PredictorRegister));
}

void TQK330TestRegForm::ShowPredictor(uint8_t value) {
    const QSignalBlocker quiet(ui.PSC_PredTrackBar);
    ui.PSC_PredTrackBar->setValue(value);
    ui.PSC_PredHexReadout->setText(HexReadout(ui.PSC_PredTrackBar->value()));
}

void TQK330TestRegForm::ReadDither() {
    ShowDither(session_.QK330Image().ReadAndStore(DitherRegister));
}

void TQK330TestRegForm::ShowDither(uint8_t value) {
    const NSDither choice = (value & kTriangularBit)    ? Triangular
                            : (value & kRectangularBit) ? Rectangular
                                                        : NoNSDither;
    ui.NSDitherRadioGroup->setItemIndex(choice);
    // The track bar's own write would send the position without the dither choice and so change
    // the chip by reading it: the bar moves quietly and the register keeps the byte shown.
    const QSignalBlocker quiet(ui.DitherTrackBar);
    ui.DitherTrackBar->setValue(value & kDitherPositionBits);
    ui.DitherHexReadout->setText(HexReadout(ui.DitherTrackBar->value()));
}

void TQK330TestRegForm::ShowChoiceRegister(uint8_t subAddress, uint8_t value) {
    if (subAddress == AdcPscControlRegister) ShowAdcPscControl(value);
    if (subAddress == PredictorRegister) ShowPredictor(value);
    if (subAddress == DitherRegister) ShowDither(value);
}

void TQK330TestRegForm::ReadAllButtonClick() {
    ReadBitRegister(PSCTest1Register);
    ReadBitRegister(PSCTest2Register);
    ReadAdcPscControl();
    ReadPredictor();
    ReadDither();
    ReadBitRegister(Test0Register);
    ReadBitRegister(Test1Register);
}

void TQK330TestRegForm::CancelButtonClick() {
    hide();
}
