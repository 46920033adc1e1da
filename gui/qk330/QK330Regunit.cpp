#include "gui/qk330/QK330Regunit.h"

#include <functional>
#include <utility>

#include "core/chips/ChipFacts.h"
#include "gui/app/Forms.h"
#include "gui/app/Okapimain.h"
#include "gui/qk330/QK330ChConfigControlRegunit.h"
#include "gui/qk330/QK330ChConfigControlunit.h"
#include "gui/qk330/QK330Dcoffsetunit.h"
#include "gui/qk330/QK330ErrAndAutomuteDelayunit.h"
#include "gui/qk330/QK330Interchdelayunit.h"
#include "gui/qk330/QK330ModIndexunit.h"
#include "gui/qk330/QK330PADCDcoffsetunit.h"
#include "gui/qk330/QK330PSCTestReg1unit.h"
#include "gui/qk330/QK330PSCTestReg2unit.h"
#include "gui/qk330/QK330SEOffsetRegunit.h"
#include "gui/qk330/QK330SerialDataInterfaceunit.h"
#include "gui/qk330/QK330Syscontrol1unit.h"
#include "gui/qk330/QK330Syscontrol2unit.h"
#include "gui/qk330/QK330Syscontrol3unit.h"
#include "gui/qk330/QK330TestReg0unit.h"
#include "gui/qk330/QK330TestReg1unit.h"
#include "gui/qk330/QK330Testregunit.h"
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
constexpr uint8_t PadcOffsetRegister = 0x0F;
constexpr uint8_t FirstDcOffsetRegister = 0x14;  // channel n at 14h + 2(n - 1), high byte first
constexpr uint8_t FirstChannelConfigRegister = 0x06, LastChannelConfigRegister = 0x0B;
constexpr uint8_t FirstDelayRegister = 0x20, LastDelayRegister = 0x25;
constexpr uint8_t FirstSeOffsetRegister = 0x32, LastSeOffsetRegister = 0x35;

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

// The registers with a setup window, and that window's reload (which writes the register again).
struct SetupWindow {
    uint8_t reg;
    void (*refreshFromEditor)();
};
const SetupWindow kSetupWindows[] = {
    {SystemControl1Register, [] { QK330SysControl1Form->RefreshFromEditor(); }},
    {SystemControl2Register, [] { QK330SysControl2Form->RefreshFromEditor(); }},
    {SystemControl3Register, [] { QK330SysControl3Form->RefreshFromEditor(); }},
    {ModIndexRegister, [] { QK330ModIndexForm->RefreshFromEditor(); }},
    {SerialInterfaceRegister, [] { QK330SerialDataInterfaceCtlForm->RefreshFromEditor(); }},
    {ErrorAndMuteDelayRegister, [] { QK330ErrAndAutomuteDelayForm->RefreshFromEditor(); }},
};

// The test registers with a window of their own, which reloads from the test register window's
// boxes and writes the register.
const SetupWindow kTestWindows[] = {
    {0x79, [] { QK330PSCTestReg1Form->RefreshFromEditor(); }},
    {0x7A, [] { QK330PSCTestReg2Form->RefreshFromEditor(); }},
    {0x7E, [] { QK330TestReg0Form->RefreshFromEditor(); }},
    {0x7F, [] { QK330TestReg1Form->RefreshFromEditor(); }},
};

}  // namespace

TQK330RegForm::TQK330RegForm(qk::ChipSession& session, QWidget* parent)
    : QWidget(parent),
      session_(session),
      image_(session.QK330Image()),
      groups_(
          qk::QK330Map(), [this]() -> qk::ByteRegisters& { return image_; },
          [](uint8_t reg) {
              for (const SetupWindow& window : kSetupWindows)
                  if (window.reg == reg) window.refreshFromEditor();
          }) {
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
                if (family == qk::ChipFamily::QK330)
                    RefreshEntry(qk::QK330RegisterImage::EntryOf(reg));
            });
    connect(&session, &qk::ChipSession::wordRegistersRestored, this,
            &TQK330RegForm::RestoreWordWindows);
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

    // The setup windows are created after the editor: each is looked up when its button is
    // clicked.
    const std::pair<QAbstractButton*, QWidget* (*)()> setupButtons[] = {
        {ui.Reg03Button, []() -> QWidget* { return QK330SysControl1Form; }},
        {ui.Reg04Button, []() -> QWidget* { return QK330SysControl2Form; }},
        {ui.Reg05Button, []() -> QWidget* { return QK330SysControl3Form; }},
        {ui.Reg0DButton, []() -> QWidget* { return QK330ModIndexForm; }},
        {ui.Reg0EButton, []() -> QWidget* { return QK330SerialDataInterfaceCtlForm; }},
        {ui.Reg13Button, []() -> QWidget* { return QK330ErrAndAutomuteDelayForm; }},
        {ui.SEOffsetBitBtn, []() -> QWidget* { return QK330SEOffsetRegForm; }},
        {ui.PADC_DCOffsetControlBitBtn, []() -> QWidget* { return QK330PADC_DCOffsetForm; }},
        {ui.TestRegBitBtn, []() -> QWidget* { return QK330TestRegForm; }},
    };
    for (auto [button, window] : setupButtons)
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
    OkapiForm->ShowLogin();
}

// Entries restored in entry order: the editor's own registers first show their bits (and their
// setup windows follow); the others go to the window that shows them.
void TQK330RegForm::RefreshEntry(int entry) {
    const uint8_t reg = qk::QK330RegisterImage::SubAddressOf(entry);
    const uint8_t value = image_.CurrentImage.at(entry);
    if (groups_.Shows(reg))
        groups_.Refresh(reg, value);
    else if (!RefreshChannelWindow(reg, value))
        RefreshTestWindow(reg, value);
}

bool TQK330RegForm::RefreshChannelWindow(uint8_t reg, uint8_t value) {
    if (reg >= FirstChannelConfigRegister && reg <= LastChannelConfigRegister) {
        const int channel = reg - FirstChannelConfigRegister + 1;
        QK330ChConfigControlRegForm->ShowChannelBits(channel, value);
        QK330ChConfigControlForm->RefreshChannel(channel);
        return true;
    }
    if (reg >= FirstDelayRegister && reg <= LastDelayRegister) {
        QK330InterchDelayForm->SetChannelFromValue(reg - FirstDelayRegister + 1, value);
        return true;
    }
    if (reg >= FirstSeOffsetRegister && reg <= LastSeOffsetRegister) {
        QK330SEOffsetRegForm->ShowSeOffsetByte(reg - FirstSeOffsetRegister + 1, value);
        return true;
    }
    return false;
}

// 7Bh..7Dh have no window of their own and are not shown at a restore.
bool TQK330RegForm::RefreshTestWindow(uint8_t reg, uint8_t value) {
    for (const SetupWindow& window : kTestWindows) {
        if (window.reg != reg) continue;
        QK330TestRegForm->ShowTestBits(reg, value);
        window.refreshFromEditor();
        return true;
    }
    return false;
}

void TQK330RegForm::RestoreWordWindows() {
    QK330PADC_DCOffsetForm->SetFromValue(image_.DefaultWord(PadcOffsetRegister));
    for (int channel = 1; channel <= qk::ChannelCount; ++channel)
        QK330DCOffsetForm->SetChannelFromValue(
            channel, image_.DefaultWord(FirstDcOffsetRegister + 2 * (channel - 1)));
}
