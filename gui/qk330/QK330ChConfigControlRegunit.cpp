#include "gui/qk330/QK330ChConfigControlRegunit.h"

#include <QLabel>
#include <QPushButton>

#include "gui/registry/Forms.h"

namespace {

constexpr uint8_t kUsedBits = 0xF8;  // D2-D0 are not used
constexpr auto kMStateHint = "High-Z Output for M State";
constexpr auto kNoiseHint = "NOISE SHAPER DISABLED";
constexpr auto kJumpHint = "Conditional Jump Enabled";

qk::RegisterGroupLayout ChannelLayout(const char* reg) {
    return {.reg = reg, .enabledBits = kUsedBits, .initialBits = 0x00, .tristate = false};
}

// The conditional jump hint sits on the D3 label beside the box.
void SetBitLabelHint(QWidget* group, const char* reg, const QString& bit, const QString& hint) {
    auto* panel = group->findChild<QWidget*>(QStringLiteral("Reg%1BitPanel").arg(reg));
    for (QLabel* label : panel->findChildren<QLabel*>())
        if (label->text() == bit) label->setToolTip(hint);
}

}  // namespace

// The setup window follows a channel's boxes only when it edits that channel: no follow here.
TQK330ChConfigControlRegForm::TQK330ChConfigControlRegForm(qk::ChipSession& session,
                                                           QWidget* parent)
    : QWidget(parent),
      session_(session),
      groups_(qk::QK330Map(), [this]() -> qk::ByteRegisters& { return session_.QK330Image(); }) {
    ui.setupUi(this);
    static constexpr const char* kRegisters[Channels] = {"06", "07", "08", "09", "0A", "0B"};
    std::array<qk::RegisterGroupLayout, Channels> layouts{};
    for (int channel = 1; channel <= Channels; ++channel)
        layouts[channel - 1] = ChannelLayout(kRegisters[channel - 1]);
    groups_.Build(this, layouts);
    for (int channel = 1; channel <= Channels; ++channel) {
        const char* reg = kRegisters[channel - 1];
        auto* group = findChild<QGroupBox*>(QStringLiteral("Reg%1GroupBox").arg(reg));
        const qk::BitBoxes boxes = ChannelBoxes(channel);
        boxes[5]->setToolTip(kMStateHint);
        boxes[4]->setToolTip(kNoiseHint);
        SetBitLabelHint(group, reg, "D3", kJumpHint);
        connect(findChild<QPushButton*>(QStringLiteral("Reg%1SendButton").arg(reg)),
                &QPushButton::clicked, this, [this, channel] { ChannelSendButtonClick(channel); });
        connect(findChild<QPushButton*>(QStringLiteral("Reg%1Button").arg(reg)),
                &QPushButton::clicked, this, [this, channel] { ChannelSetupButtonClick(channel); });
    }
    connect(ui.ReadAllButton, &QPushButton::clicked, this,
            &TQK330ChConfigControlRegForm::ReadAllButtonClick);
    connect(ui.CancelButton, &QPushButton::clicked, this,
            &TQK330ChConfigControlRegForm::CancelButtonClick);
    connect(&session_, &qk::ChipSession::registerRefreshed, this,
            [this](qk::ChipFamily family, uint8_t reg) {
                if (family == qk::ChipFamily::QK330 && groups_.Shows(reg))
                    ShowRestoredChannel(reg - FirstRegister + 1);
            });
}

// A restored channel: its boxes show it, then the setup window follows them, whichever channel it
// edits.
void TQK330ChConfigControlRegForm::ShowRestoredChannel(int channel) {
    ShowChannelBits(channel, session_.QK330Image().Current(RegisterOf(channel)));
    if (setup_) setup_->RefreshChannel(channel);
}

void TQK330ChConfigControlRegForm::ShowChannelBits(int channel, uint8_t value) {
    groups_.Show(RegisterOf(channel), value);
}

void TQK330ChConfigControlRegForm::EnableChannel(int channel, bool enabled) {
    findChild<QGroupBox*>(QString::asprintf("Reg%02XGroupBox", RegisterOf(channel)))
        ->setEnabled(enabled);
}

qk::BitBoxes TQK330ChConfigControlRegForm::ChannelBoxes(int channel) const {
    return groups_.Boxes(RegisterOf(channel));
}

void TQK330ChConfigControlRegForm::SendChannel(int channel) {
    groups_.Send(RegisterOf(channel));
}

void TQK330ChConfigControlRegForm::ChannelSendButtonClick(int channel) {
    groups_.Apply(RegisterOf(channel));
    if (setup_ && setup_->Edits(channel)) setup_->RefreshChannel(channel);
}

void TQK330ChConfigControlRegForm::ChannelSetupButtonClick(int channel) {
    if (setup_) setup_->OpenOnChannel(channel);
}

void TQK330ChConfigControlRegForm::ReadAllButtonClick() {
    for (int channel = 1; channel <= Channels; ++channel) {
        groups_.Read(RegisterOf(channel));
        if (setup_) setup_->RefreshChannel(channel);
    }
}

void TQK330ChConfigControlRegForm::CancelButtonClick() {
    hide();
}
