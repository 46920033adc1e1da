#include "gui/qk330/QK330Regunit.h"

#include <functional>
#include <utility>

#include "gui/qk330/QK330PADCDcoffsetunit.h"
#include "gui/qk330/QK330SEOffsetRegunit.h"
#include "gui/qk330/QK330Testregunit.h"
#include "gui/registry/Forms.h"
#include "gui/widgets/RegisterGroup.h"

namespace {

constexpr uint8_t StatusRegister = 0x00, ErrorStatusRegister = 0x01;
constexpr uint8_t NoClipOnly = 0x80;  // Zero: the error bits cleared, "No Clip" set
constexpr uint8_t SystemControl1Register = 0x03, SystemControl2Register = 0x04,
                  SystemControl3Register = 0x05;
constexpr uint8_t HeadphoneConfigRegister = 0x0C, ModIndexRegister = 0x0D,
                  SerialInterfaceRegister = 0x0E;
constexpr uint8_t ErrorRecoveryRegister = 0x12, ErrorAndMuteDelayRegister = 0x13;
constexpr int NoClipBit = 7, NotSoftResetBit = 2;  // the two boxes with a hint
constexpr uint8_t SoftMuteRegister = qk::QK330RegisterImage::SoftMuteRegister;

// The editor's groups; READ ALL reads them in this order.
// clang-format off
const qk::RegisterGroupLayout kGroupLayouts[] = {
    {.reg = "00", .enabledBits = 0x00, .initialBits = 0x01, .tristate = true,   .groupBox = nullptr,     .compact = true},
    {.reg = "01", .enabledBits = 0x00, .initialBits = 0x80, .tristate = false,      .groupBox = nullptr,     .compact = true},
    {.reg = "03", .enabledBits = 0xFF, .initialBits = 0x00, .tristate = false,     .groupBox = nullptr,     .compact = true},
    {.reg = "04", .enabledBits = 0xA7, .initialBits = 0x00, .tristate = false, .groupBox = "GroupBox1", .compact = true},
    {.reg = "05", .enabledBits = 0xF7, .initialBits = 0x00, .tristate = false,   .groupBox = "GroupBox2", .compact = true},
    {.reg = "0C", .enabledBits = 0x38, .initialBits = 0x40, .tristate = false,    .groupBox = "GroupBox3", .compact = true},
    {.reg = "0D", .enabledBits = 0x07, .initialBits = 0x00, .tristate = false,       .groupBox = "GroupBox4", .compact = true},
    {.reg = "0E", .enabledBits = 0x0F, .initialBits = 0x00, .tristate = false, .groupBox = "GroupBox5", .compact = true},
    {.reg = "11", .enabledBits = 0x3F, .initialBits = 0x3F, .tristate = false,  .groupBox = "Reg19GroupBox", .compact = true},
    {.reg = "12", .enabledBits = 0x3F, .initialBits = 0x3F, .tristate = false,  .groupBox = "Reg04GroupBox", .compact = true},
    {.reg = "13", .enabledBits = 0xFF, .initialBits = 0x00, .tristate = false,    .groupBox = "Reg05GroupBox", .compact = true},
};
// clang-format on

}  // namespace

TQK330RegForm::TQK330RegForm(qk::ChipSession& session, QWidget* parent)
    : QWidget(parent),
      session_(session),
      image_(session.QK330Image()),
      groups_(
          qk::QK330Map(), [this]() -> qk::ByteRegisters& { return image_; },
          [this](uint8_t reg) { emit groupFollowed(reg); }) {
    ui.setupUi(this);
    setFixedSize(size());
    groups_.Build(this, kGroupLayouts);
    Group(ErrorStatusRegister)[NoClipBit]->setToolTip(
        "If not checked, then clip has occured in the last 10 ms");
    Group(SystemControl2Register)[NotSoftResetBit]->setToolTip(
        "If not checked then Error Recovery/SRESET");
    // CLOSE covers the login button: only its accelerator or the Tab key reach it.
    ui.CancelButton->raise();
    ConnectHandlers();
    connect(&session, &qk::ChipSession::registerRefreshed, this,
            [this](qk::ChipFamily family, uint8_t reg) {
                if (family == qk::ChipFamily::QK330) RefreshRegister(reg);
            });
    connect(&session, &qk::ChipSession::loginChanged, ui.ReservedGroupBox, &QWidget::setVisible);
}

void TQK330RegForm::ConnectHandlers() {
    const auto apply = [this](uint8_t reg) { return [this, reg] { groups_.Apply(reg); }; };
    const std::pair<QAbstractButton*, std::function<void()>> buttons[] = {
        {ui.Reg00Button, [this] { Reg00ButtonClick(); }},
        {ui.Reg01Button, [this] { Reg01ButtonClick(); }},
        {ui.Reg01SendButton, [this] { Reg01SendButtonClick(); }},
        {ui.Reg03SendButton, apply(SystemControl1Register)},
        {ui.Reg04SendButton, apply(SystemControl2Register)},
        {ui.Reg05SendButton, apply(SystemControl3Register)},
        {ui.Reg0CSendButton, apply(HeadphoneConfigRegister)},
        {ui.Reg0DSendButton, apply(ModIndexRegister)},
        {ui.Reg0ESendButton, apply(SerialInterfaceRegister)},
        {ui.Reg11Button, [this] { Reg11ButtonClick(); }},
        {ui.Reg12Button, apply(ErrorRecoveryRegister)},
        {ui.Reg13SendButton, apply(ErrorAndMuteDelayRegister)},
        {ui.ReadAllButton, [this] { ReadAllButtonClick(); }},
        {ui.CancelButton, [this] { CancelButtonClick(); }},
        {ui.HiddenButton, [this] { HiddenButtonClick(); }},
    };
    for (const auto& [button, handler] : buttons)
        connect(button, &QAbstractButton::clicked, this, handler);

    const std::pair<QAbstractButton*, uint8_t> setupButtons[] = {
        {ui.Reg03Button, SystemControl1Register},  {ui.Reg04Button, SystemControl2Register},
        {ui.Reg05Button, SystemControl3Register},  {ui.Reg0DButton, ModIndexRegister},
        {ui.Reg0EButton, SerialInterfaceRegister}, {ui.Reg13Button, ErrorAndMuteDelayRegister},
    };
    for (auto [button, reg] : setupButtons)
        connect(button, &QAbstractButton::clicked, this, [this, reg] { emit setupRequested(reg); });

    // The windows of the registers the editor does not show are created after it: each is looked
    // up when its button is clicked.
    const std::pair<QAbstractButton*, QWidget* (*)()> windowButtons[] = {
        {ui.SEOffsetBitBtn, []() -> QWidget* { return QK330SEOffsetRegForm; }},
        {ui.PADC_DCOffsetControlBitBtn, []() -> QWidget* { return QK330PADC_DCOffsetForm; }},
        {ui.TestRegBitBtn, []() -> QWidget* { return QK330TestRegForm; }},
    };
    for (auto [button, window] : windowButtons)
        connect(button, &QAbstractButton::clicked, this, [window] { qk::OpenWindow(window()); });
}

qk::BitBoxes TQK330RegForm::Group(uint8_t reg) const {
    return groups_.Boxes(reg);
}

void TQK330RegForm::ShowPadcOffsetGroup(bool shown) {
    ui.PADCOffsetGroupBox->setVisible(shown);
}

void TQK330RegForm::Reg00ButtonClick() {
    groups_.Read(StatusRegister);
}

void TQK330RegForm::Reg01ButtonClick() {
    groups_.Read(ErrorStatusRegister);
}

void TQK330RegForm::Reg01SendButtonClick() {
    groups_.Show(ErrorStatusRegister, NoClipOnly);
    groups_.Apply(ErrorStatusRegister);
}

void TQK330RegForm::Reg11ButtonClick() {
    image_.StoreAndWriteAlways(SoftMuteRegister, qk::PackBits(Group(SoftMuteRegister)));
}

// Every window that shows a register read follows it, without a frame.
void TQK330RegForm::ReadAllButtonClick() {
    groups_.ReadAll();
    session_.ShowRegisters(qk::ChipFamily::QK330, groups_.Registers());
}

void TQK330RegForm::CancelButtonClick() {
    groups_.ShowImage();
    hide();
}

void TQK330RegForm::HiddenButtonClick() {
    session_.RequestLogin();
}

// Entries are restored in entry order; each window shows those of its own registers.
void TQK330RegForm::RefreshRegister(uint8_t reg) {
    if (groups_.Shows(reg)) groups_.Refresh(reg, image_.Current(reg));
}
