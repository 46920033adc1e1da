#pragma once
#include <QWidget>
#include <cstdint>

// "PADC Offset". The window is created with the others and stays hidden until opened; its controls
// come with its own work. The operations below are what the other windows call.
class TQK330PADC_DCOffsetForm : public QWidget {
    Q_OBJECT
  public:
    explicit TQK330PADC_DCOffsetForm(QWidget* parent = nullptr);

    // Puts the slider where a register value stands.
    void SetFromValue(uint16_t value);
};
