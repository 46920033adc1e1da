#pragma once
#include <QWidget>
#include <cstdint>

// "Modulation Index". The window is created with the others and stays hidden until opened; its
// controls come with its own work. The operations below are what the other windows call.
class TQK330ModIndexForm : public QWidget {
    Q_OBJECT
  public:
    explicit TQK330ModIndexForm(QWidget* parent = nullptr);

    // Reads the register editor's boxes of 0Dh into the window, then writes the register.
    void RefreshFromEditor();
};
