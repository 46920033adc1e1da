#pragma once
#include <QDialog>

#include "ui_FileOpenErrorunit.h"

// "Dialog": the help document could not be opened.
class TFileOpenErrorDlgForm : public QDialog {
    Q_OBJECT
  public:
    explicit TFileOpenErrorDlgForm(QWidget* parent = nullptr);

  private:
    Ui::TFileOpenErrorDlgForm ui;
};
