#pragma once
#include <QObject>
#include <QString>

#include "gui/session/ChipSession.h"

class QLineEdit;
class QPushButton;

namespace qk {

// The main window's hidden-controls login. The "Login!" button lies under EXIT and is reached
// through its accelerator; it opens an edit in which one of two access codes shows the controls
// that only a login may show (a wrong code hides them again).
class HiddenLogin : public QObject {
  public:
    HiddenLogin(ChipSession& session, QPushButton* hiddenButton, QLineEdit* edit,
                QPushButton* enterButton, QObject* parent);

    // "Login!": the edit and its button appear, the focus in the edit.
    void HiddenButtonClick();

  private:
    void LoginEditChange(const QString& text);
    void LoginButtonClick();

    static constexpr const char* AccessCodes[] = {"pelmak", "elmakp"};

    ChipSession& session_;
    QLineEdit* edit_;
    QPushButton* enterButton_;
    QString loginText_;
};

}  // namespace qk
