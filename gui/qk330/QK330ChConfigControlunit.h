#pragma once
#include <QWidget>
#include <cstdint>
#include <vector>

#include "gui/qk330/QK330ChConfigControlRegunit.h"
#include "gui/registerkit/RadioRegisterForm.h"
#include "ui_QK330ChConfigControlunit.h"

// "QK330ChConfigControlForm": the fields of the channel configuration registers as named choices,
// for one channel or all six. It keeps no value of its own: it reads and sets the register
// window's boxes and sends the registers by packing them; that window asks it to follow them.
class TQK330ChConfigControlForm : public QWidget, public qk::ChannelSetup {
    Q_OBJECT
  public:
    static constexpr int AllChannels = 6;  // ChannelSelectRadioGroup item "All"

    // Edits the boxes of the register window, which it follows from now on.
    explicit TQK330ChConfigControlForm(TQK330ChConfigControlRegForm& registers,
                                       QWidget* parent = nullptr);
    ~TQK330ChConfigControlForm() override;

    // Selects channel 1..6; the field choices stay as they are.
    void SelectChannel(int channel);
    // Whether APPLY reaches channel 1..6: it is selected, or "All" is.
    bool Edits(int channel) const override;
    // Reads channel 1..6's boxes of the register window into the window, then writes the channel's
    // register.
    void RefreshChannel(int channel) override;
    // Shows the window with channel 1..6 selected.
    void OpenOnChannel(int channel) override;

    // Channel boxes of every edited channel from the choices (D2-D0 cleared), then written,
    // channel 1 first.
    void ApplyButtonClick();
    void OKButtonClick();
    // Hides only: nothing is sent or reverted.
    void CancelButtonClick();

  private:
    Ui::TQK330ChConfigControlForm ui;
    TQK330ChConfigControlRegForm& registers_;
    std::vector<qk::RadioField> fields_;
};
