#pragma once
#include <QWidget>
#include <cstdint>

// "Error Recovery and Automute Delay". The window is created with the others and stays hidden until
// opened; its controls come with its own work. The operations below are what the other windows
// call.
class TQK330ErrAndAutomuteDelayForm : public QWidget {
    Q_OBJECT
  public:
    explicit TQK330ErrAndAutomuteDelayForm(QWidget* parent = nullptr);

    // Reads the register editor's boxes of 13h into the window, then writes the register.
    void RefreshFromEditor();
};
