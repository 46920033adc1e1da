#include "app/Okapimain.h"

#include "app/Forms.h"
#include "app/ModalDialogs.h"
#include "link/AckErrorDialogunit.h"
#include "link/WaitErrorDialogunit.h"

TOkapiForm::TOkapiForm(qk::PortIo& port, QWidget* parent) : QWidget(parent), port_(port) {
    ui.setupUi(this);
    setFixedSize(size());
    log_ = std::make_unique<qk::TransactionLog>(qk::TransactionLog::Display{
        [this](const std::string& t) { ui.FirstErrorlabel->setText(QString::fromStdString(t)); },
        [this](const std::string& t) { ui.SecondErrorlabel->setText(QString::fromStdString(t)); },
        [this](bool on) { ui.DataLogCheckBox->setChecked(on); }});
    if (!port_.Setup()) portSetupError_ = port_.SetupError();
}

void TOkapiForm::ShowFirstErrorLine(const std::string& text) {
    ui.FirstErrorlabel->setVisible(true);
    ui.FirstErrorlabel->setText(QString::fromStdString(text));
}

void TOkapiForm::ShowSecondErrorLine(const std::string& text) {
    ui.SecondErrorlabel->setVisible(true);
    ui.SecondErrorlabel->setText(QString::fromStdString(text));
}

void TOkapiForm::ShowErrorLine(const std::string& text) {
    ui.ErrorLabel->setText(QString::fromStdString(text));
}

void TOkapiForm::ShowAckErrorDialog() {
    qk::ShowModal(*ACK_ErrorDialogForm);
}
void TOkapiForm::ShowWaitErrorDialog() {
    qk::ShowModal(*WaitErrorDialogForm);
}
