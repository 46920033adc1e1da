#pragma once
#include <QDialog>
#include <functional>

namespace qk {

// Every modal dialog of the program is shown through here, so that tests can see which dialogs
// appear and close them without an event loop.
void ShowModal(QDialog& dialog);
using ModalPresenter = std::function<void(QDialog&)>;
// Replaces the presenter (default: QDialog::exec); returns the previous one.
ModalPresenter SetModalPresenter(ModalPresenter presenter);

}  // namespace qk
