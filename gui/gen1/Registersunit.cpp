#include "gui/gen1/Registersunit.h"

#include <QLineEdit>

#include "core/chips/InvalidCode.h"
#include "gui/gen1/Testregunit.h"
#include "gui/registry/Forms.h"
#include "gui/widgets/RegisterGroup.h"

namespace {

using Registers = qk::QK310RegisterImage;

// The editor's groups; READ ALL reads them in this order.
// clang-format off
const qk::RegisterGroupLayout kGroupLayouts[] = {
    {.reg = "00", .enabledBits = 0x00, .initialBits = 0x01, .tristate = true},
    {.reg = "01", .enabledBits = 0x00, .initialBits = 0x00, .tristate = false},
    {.reg = "02", .enabledBits = 0xFF, .initialBits = 0x00, .tristate = false},
    {.reg = "03", .enabledBits = 0x7F, .initialBits = 0x00, .tristate = false},
    {.reg = "04", .enabledBits = 0x3F, .initialBits = 0x3F, .tristate = false},
    {.reg = "05", .enabledBits = 0x00, .initialBits = 0x00, .tristate = false},
    {.reg = "12", .enabledBits = 0x00, .initialBits = 0x00, .tristate = false},
    {.reg = "19", .enabledBits = 0x3F, .initialBits = 0x3F, .tristate = false},
};
// clang-format on

constexpr int kByteHexDigits = 2;

// A list's item whose text is the list's current text, or -1 when typed text matches none.
int SelectedItem(const QComboBox* list) {
    return list->findText(list->currentText(), Qt::MatchExactly);
}

// The delay lists take typed text as it is: no completion that would pick an item while typing,
// and Enter adds no item.
void PrepareDelayList(QComboBox* list) {
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setCompleter(nullptr);
    // The initial text names an item: that item is the list's selection.
    list->setCurrentIndex(SelectedItem(list));
}

}  // namespace

TRegistersForm::TRegistersForm(qk::ChipSession& session, QWidget* parent)
    : QWidget(parent),
      session_(session),
      image_(session.FirstGenerationImage()),
      groups_(
          qk::QK310Map(), [this]() -> Registers& { return image_; },
          [this](uint8_t reg) { FollowGroup(reg); }) {
    ui.setupUi(this);
    setFixedSize(size());
    groups_.Build(this, kGroupLayouts);
    delayLists_ = {
        DelayList{.list = ui.AutoMuteDelayComboBox,
                  .reg = Registers::AutoMuteDelayRegister,
                  .mask = 0x0F},
        DelayList{.list = ui.ABDdelayComboBox, .reg = Registers::AbdDelayRegister, .mask = 0x1F},
    };
    for (const DelayList& delay : delayLists_) PrepareDelayList(delay.list);
    ConnectHandlers();
    connect(&session, &qk::ChipSession::registerRefreshed, this,
            [this](qk::ChipFamily family, uint8_t reg) {
                if (family == qk::ChipFamily::QK310) RefreshRegister(reg);
            });
    connect(&session, &qk::ChipSession::loginChanged, ui.TestRegBitBtn, &QWidget::setVisible);
}

void TRegistersForm::ConnectHandlers() {
    const std::pair<QAbstractButton*, void (TRegistersForm::*)()> buttons[] = {
        {ui.Reg00Button, &TRegistersForm::Reg00ButtonClick},
        {ui.Reg01Button, &TRegistersForm::Reg01ButtonClick},
        {ui.Reg01SendButton, &TRegistersForm::Reg01SendButtonClick},
        {ui.Reg02Button, &TRegistersForm::Reg02ButtonClick},
        {ui.Reg02SendButton, &TRegistersForm::Reg02SendButtonClick},
        {ui.Reg03Button, &TRegistersForm::Reg03ButtonClick},
        {ui.Reg03SendButton, &TRegistersForm::Reg03SendButtonClick},
        {ui.Reg04Button, &TRegistersForm::Reg04ButtonClick},
        {ui.Reg19Button, &TRegistersForm::Reg19ButtonClick},
        {ui.ReadAllButton, &TRegistersForm::ReadAllButtonClick},
        {ui.CancelButton, &TRegistersForm::CancelButtonClick},
        {ui.TestRegBitBtn, &TRegistersForm::TestRegBitBtnClick},
    };
    for (auto [button, handler] : buttons)
        connect(button, &QAbstractButton::clicked, this, handler);

    // Only the user changes a list: a choice from it, or typing. A selection set from code
    // (a list following its bits) writes nothing.
    const std::pair<QComboBox*, void (TRegistersForm::*)()> lists[] = {
        {ui.AutoMuteDelayComboBox, &TRegistersForm::AutoMuteDelayComboBoxChange},
        {ui.ABDdelayComboBox, &TRegistersForm::ABDdelayComboBoxChange},
    };
    for (auto [list, handler] : lists) {
        connect(list, &QComboBox::activated, this, handler);
        connect(list->lineEdit(), &QLineEdit::textEdited, this, handler);
    }
}

qk::BitBoxes TRegistersForm::Group(uint8_t reg) const {
    return groups_.Boxes(reg);
}

void TRegistersForm::ShowAbdDelayGroup(bool shown) {
    ui.Reg12GroupBox->setVisible(shown);
}

void TRegistersForm::ConnectSetupWindow(uint8_t reg, qk::RadioRegisterForm& setup) {
    // The setup window reloads and writes its register once more.
    connect(this, &TRegistersForm::groupFollowed, &setup, [reg, &setup](uint8_t followed) {
        if (followed == reg) setup.Reload();
    });
    connect(this, &TRegistersForm::setupRequested, &setup, [reg, &setup](uint8_t requested) {
        if (requested == reg) qk::OpenWindow(&setup);
    });
}

void TRegistersForm::FollowGroup(uint8_t reg) {
    emit groupFollowed(reg);
    if (const DelayList* delay = DelayListOf(reg)) ListFollowsBits(*delay);
}

const TRegistersForm::DelayList* TRegistersForm::DelayListOf(uint8_t reg) const {
    for (const DelayList& delay : delayLists_)
        if (delay.reg == reg) return &delay;
    return nullptr;
}

void TRegistersForm::DelayListChange(const DelayList& delay) {
    const int item = SelectedItem(delay.list);
    // The bits above the delay field are cleared; no selection means delay code 0.
    groups_.Show(delay.reg, item < 0 ? 0 : uint8_t(item & delay.mask));
    groups_.Send(delay.reg);
}

void TRegistersForm::ListFollowsBits(const DelayList& delay) {
    const int code = qk::PackBits(Group(delay.reg)) & delay.mask;
    if (code < delay.list->count()) {
        delay.list->setCurrentIndex(code);
        return;
    }
    // AutoMute codes 10..15 have no delay: the list says so rather than name one.
    delay.list->setCurrentIndex(-1);
    delay.list->setEditText(QString::fromStdString(qk::InvalidCodeText(code, kByteHexDigits)));
}

void TRegistersForm::Reg00ButtonClick() {
    groups_.Read(0x00);
}

void TRegistersForm::Reg01ButtonClick() {
    groups_.Read(0x01);
}

void TRegistersForm::Reg01SendButtonClick() {
    groups_.Show(0x01, 0x80);  // only "FS" stays checked
    groups_.Apply(0x01);
}

void TRegistersForm::Reg02ButtonClick() {
    emit setupRequested(Registers::SystemControl0Register);
}

void TRegistersForm::Reg02SendButtonClick() {
    groups_.Apply(Registers::SystemControl0Register);
}

void TRegistersForm::Reg03ButtonClick() {
    emit setupRequested(Registers::SystemControl1Register);
}

void TRegistersForm::Reg03SendButtonClick() {
    groups_.Apply(Registers::SystemControl1Register);
}

void TRegistersForm::Reg04ButtonClick() {
    groups_.Send(Registers::ErrorRecoveryRegister);
}

void TRegistersForm::AutoMuteDelayComboBoxChange() {
    DelayListChange(delayLists_[0]);
}

void TRegistersForm::ABDdelayComboBoxChange() {
    DelayListChange(delayLists_[1]);
}

void TRegistersForm::Reg19ButtonClick() {
    image_.StoreAndWriteAlways(Registers::ChannelMuteRegister,
                               qk::PackBits(Group(Registers::ChannelMuteRegister)));
}

// Every window that shows a register read follows it, without a frame.
void TRegistersForm::ReadAllButtonClick() {
    // 12h is read for the QK310 as well, although its group is hidden.
    groups_.ReadAll();
    session_.ShowRegisters(qk::ChipFamily::QK310, groups_.Registers());
}

void TRegistersForm::CancelButtonClick() {
    groups_.ShowImage();
    hide();
}

void TRegistersForm::TestRegBitBtnClick() {
    qk::OpenWindow(TestRegForm);
}

// The DC offset, delay and test register windows show theirs themselves; the channel volumes
// 13h..18h are written by the volume offset window, never shown from here.
void TRegistersForm::RefreshRegister(uint8_t reg) {
    if (groups_.Shows(reg)) groups_.Refresh(reg, image_.Current(reg));
}
