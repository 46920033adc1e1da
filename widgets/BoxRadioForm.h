#pragma once
#include <QWidget>
#include <cstdint>
#include <functional>
#include <vector>

#include "widgets/BitBoxes.h"
#include "widgets/RadioFields.h"

namespace qk {

// A setup window that edits one register in readable form, over any register image. It keeps no
// value of its own: it translates between its radio groups and the eight check boxes of another
// window, and sends the register by packing those boxes.
class BoxRadioForm : public QWidget {
    Q_OBJECT
  public:
    struct Register {
        std::function<BitBoxes()> boxes;  // the other window's check boxes of the register
        // Stores the packed boxes in CurrentImage and writes the stored byte.
        std::function<void(uint8_t value)> send;
        bool writesOnReload;
    };

    // Sets the radio groups from the check boxes; windows that write on reload then send the
    // boxes as they are.
    void Reload();
    // Check boxes from the selected items (bits without a group 0), then send them.
    void ApplyButtonClick();
    void OKButtonClick();
    // Hides only: the selections stay until the next reload.
    void CancelButtonClick();

  protected:
    explicit BoxRadioForm(QWidget* parent) : QWidget(parent) {}
    // Call after setupUi: connects OKButton, ApplyButton and CancelButton.
    void Bind(Register reg, std::vector<RadioBitField> fields);

  private:
    void SendBoxes();

    Register register_{};
    std::vector<RadioBitField> fields_;
};

}  // namespace qk
