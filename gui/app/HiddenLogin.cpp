#include "gui/app/HiddenLogin.h"

#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <iterator>

namespace qk {

// Enter in the edit reaches the login's button as the main window's default button.
HiddenLogin::HiddenLogin(ChipSession& session, QPushButton* hiddenButton, QLineEdit* edit,
                         QPushButton* enterButton, QObject* parent)
    : QObject(parent), session_(session), edit_(edit), enterButton_(enterButton) {
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
    session_.SetLoggedIn(granted);
}

}  // namespace qk
