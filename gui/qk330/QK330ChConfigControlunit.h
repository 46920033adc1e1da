#pragma once
#include <QWidget>
#include <cstdint>
#include <vector>

#include "gui/registerkit/RadioRegisterForm.h"
#include "ui_QK330ChConfigControlunit.h"

// "QK330ChConfigControlForm": the fields of the channel configuration registers as named choices,
// for one channel or all six. It keeps no value of its own: it reads and sets the register
// window's boxes and sends the registers by packing them.
class TQK330ChConfigControlForm : public QWidget {
    Q_OBJECT
  public:
    static constexpr int AllChannels = 6;  // ChannelSelectRadioGroup item "All"

    explicit TQK330ChConfigControlForm(QWidget* parent = nullptr);

    // Selects channel 1..6; the field choices stay as they are.
    void SelectChannel(int channel);
    // Whether APPLY reaches channel 1..6: it is selected, or "All" is.
    bool Edits(int channel) const;
    // Reads channel 1..6's boxes of the register window into the window, then writes the channel's
    // register.
    void RefreshChannel(int channel);

    // Channel boxes of every edited channel from the choices (D2-D0 cleared), then written,
    // channel 1 first.
    void ApplyButtonClick();
    void OKButtonClick();
    // Hides only: nothing is sent or reverted.
    void CancelButtonClick();

  private:
    Ui::TQK330ChConfigControlForm ui;
    std::vector<qk::RadioField> fields_;
};
