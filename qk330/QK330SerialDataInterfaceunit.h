#pragma once
#include <QWidget>
#include <cstdint>

// "Serial Data Interface Control". The window is created with the others and stays hidden until
// opened; its controls come with its own work. The operations below are what the other windows
// call.
class TQK330SerialDataInterfaceCtlForm : public QWidget {
    Q_OBJECT
  public:
    explicit TQK330SerialDataInterfaceCtlForm(QWidget* parent = nullptr);

    // Reads the register editor's boxes of 0Eh into the window, then writes the register.
    void RefreshFromEditor();
};
