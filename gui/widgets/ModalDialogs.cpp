#include "gui/widgets/ModalDialogs.h"

namespace qk {

namespace {
ModalPresenter& Presenter() {
    static ModalPresenter presenter = [](QDialog& dialog) { dialog.exec(); };
    return presenter;
}
}  // namespace

void ShowModal(QDialog& dialog) {
    Presenter()(dialog);
}

ModalPresenter SetModalPresenter(ModalPresenter presenter) {
    ModalPresenter previous = std::move(Presenter());
    Presenter() = std::move(presenter);
    return previous;
}

}  // namespace qk
