#pragma once
#include <QWidget>
#include <cstdint>

// "Interchannel Delay". The window is created with the others and stays hidden until opened; its
// controls come with its own work. The operations below are what the other windows call.
class TQK330InterchDelayForm : public QWidget {
    Q_OBJECT
  public:
    explicit TQK330InterchDelayForm(QWidget* parent = nullptr);

    // Shows channel 1..6's delay from a register value.
    void SetChannelFromValue(int channel, uint8_t value);
    // Enables or disables channel 1..6's slider and zero button.
    void EnableChannel(int channel, bool enabled);
};
