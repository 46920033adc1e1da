#pragma once
#include <QWidget>
#include <cstdint>

// "DC Offset". The window is created with the others and stays hidden until opened; its controls
// come with its own work. The operations below are what the other windows call.
class TQK330DCOffsetForm : public QWidget {
    Q_OBJECT
  public:
    explicit TQK330DCOffsetForm(QWidget* parent = nullptr);

    // Puts channel 1..6's slider where a 13-bit register value stands; a moved slider writes its
    // register.
    void SetChannelFromValue(int channel, uint16_t value);
    // Enables or disables channel 1..6's slider and zero button.
    void EnableChannel(int channel, bool enabled);
};
