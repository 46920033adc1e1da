#include "gui/app/HiddenLogin.h"

#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "gui/app/Forms.h"
#include "gui/app/Okapimain.h"
#include "gui/gen1/Registersunit.h"
#include "gui/qk330/QK330Regunit.h"

namespace qk {

namespace {

// Controls that other windows lay out and that only a login may show: the test registers'
// button first, then the reserved group and the buttons of the chips only the login offers.
std::vector<std::pair<QWidget*, QString>> LoginControls() {
    std::vector<std::pair<QWidget*, QString>> controls = {{RegistersForm, "TestRegBitBtn"},
                                                          {QK330RegForm, "ReservedGroupBox"}};
    for (const ChipInfo& chip : ChipCatalogue())
        if (chip.offer == ChipOffer::Login)
            controls.emplace_back(OkapiForm, TOkapiForm::ChipButtonName(chip));
    return controls;
}

void ShowLoginControls(bool visible) {
    for (const auto& [window, name] : LoginControls())
        if (QWidget* control = window->findChild<QWidget*>(name)) control->setVisible(visible);
}

}  // namespace

bool EngineeringLoginActive() {
    auto [window, name] = LoginControls().front();
    const QWidget* control = window ? window->findChild<QWidget*>(name) : nullptr;
    return control && !control->isHidden();
}

// Enter in the edit reaches the login's button as the main window's default button.
HiddenLogin::HiddenLogin(QPushButton* hiddenButton, QLineEdit* edit, QPushButton* enterButton,
                         QObject* parent)
    : QObject(parent), edit_(edit), enterButton_(enterButton) {
    connect(hiddenButton, &QPushButton::clicked, this, &HiddenLogin::HiddenButtonClick);
    connect(edit, &QLineEdit::textEdited, this, &HiddenLogin::LoginEditChange);
    connect(enterButton, &QPushButton::clicked, this, &HiddenLogin::LoginButtonClick);
}

void HiddenLogin::HiddenButtonClick() {
    edit_->show();
    enterButton_->show();
    edit_->setFocus();
}

void HiddenLogin::LoginEditChange(const QString& text) {
    loginText_ = text;
}

void HiddenLogin::LoginButtonClick() {
    const bool granted = std::any_of(std::begin(AccessCodes), std::end(AccessCodes),
                                     [this](const char* code) { return loginText_ == code; });
    if (granted) {
        edit_->hide();
        enterButton_->hide();
    }
    ShowLoginControls(granted);
}

}  // namespace qk
