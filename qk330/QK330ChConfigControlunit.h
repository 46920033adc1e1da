#pragma once
#include <QWidget>
#include <cstdint>

// "QK330ChConfigControlForm". The window is created with the others and stays hidden until opened;
// its controls come with its own work. The operations below are what the other windows call.
class TQK330ChConfigControlForm : public QWidget {
    Q_OBJECT
  public:
    explicit TQK330ChConfigControlForm(QWidget* parent = nullptr);

    // Reads channel 1..6's boxes of the register window into the window, then writes the channel's
    // register.
    void RefreshChannel(int channel);
};
