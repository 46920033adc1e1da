#pragma once
#include <QWidget>
#include <cstdint>

// "Channel Configuration Control Registers". The window is created with the others and stays hidden
// until opened; its controls come with its own work. The operations below are what the other
// windows call.
class TQK330ChConfigControlRegForm : public QWidget {
    Q_OBJECT
  public:
    explicit TQK330ChConfigControlRegForm(QWidget* parent = nullptr);

    // Shows channel 1..6's eight boxes from a value.
    void ShowChannelBits(int channel, uint8_t value);
    // Enables or disables channel 1..6's register group.
    void EnableChannel(int channel, bool enabled);
};
