#pragma once
#include <QWidget>
#include <cstdint>

// "QK330 Test Registers". The window is created with the others and stays hidden until opened; its
// controls come with its own work. The operations below are what the other windows call.
class TQK330TestRegForm : public QWidget {
    Q_OBJECT
  public:
    explicit TQK330TestRegForm(QWidget* parent = nullptr);

    // Shows a test register's eight boxes from a value (all cleared, then each 1 bit checked).
    void ShowTestBits(uint8_t subAddress, uint8_t value);
    // Shows the four PSC/ADC groups and widens the window to 634 pixels for the QK340; hides them
    // at 258 pixels for the QK330.
    void ShowQK340Groups(bool shown);
};
