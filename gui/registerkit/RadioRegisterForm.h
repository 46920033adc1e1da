#pragma once
#include <QWidget>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "core/chips/RegisterImage.h"
#include "gui/session/ChipSession.h"
#include "gui/widgets/BitBoxes.h"
#include "gui/widgets/RadioGroup.h"

namespace qk {

// A radio group that shows one bit field of a register: item i stands for field value codes[i].
struct RadioField {
    RadioGroup* group;
    int shift;                   // the field's lowest bit
    int width;                   // in bits
    std::vector<uint8_t> codes;  // field value of each item, by item index
    // On reload the item is the field value itself, and a value past the last item selects the
    // last item (instead of leaving the group as it was).
    bool clampsOnReload = false;
    // The item a field value no code stands for selects; -1 leaves the group as it was.
    int otherwise = -1;
};

// Field values n-1, n-2, ..., 0 for items 0..n-1.
std::vector<uint8_t> DescendingCodes(int items);
// Field values 0, 1, ..., n-1 for items 0..n-1.
std::vector<uint8_t> AscendingCodes(int items);
// One two-item group per bit (bit 0 first): the item index is the bit value.
std::vector<RadioField> BitFields(std::vector<RadioGroup*> groupsBit0First);
// One two-item group for one bit: the item index is the bit value.
RadioField OneBit(RadioGroup* group, int bit);
// One two-item group for one bit whose item 0 sets it and item 1 clears it.
RadioField InvertedBit(RadioGroup* group, int bit);

// The byte the selected items stand for; unselected groups and bits without a group are 0.
uint8_t SelectedBits(std::span<const RadioField> fields);
// Every group from its field in the byte (see RadioField for values no item stands for).
void SelectFromBits(std::span<const RadioField> fields, uint8_t value);

// A window that edits one register in readable form. It keeps no value of its own: it translates
// between its radio groups and a group of eight check boxes of another window, and sends the
// register by packing those boxes into CurrentImage of that window's register image and writing
// it. It serves both generations: the register says whose boxes and image it uses.
class RadioRegisterForm : public QWidget {
    Q_OBJECT
  public:
    struct Register {
        uint8_t subAddress;
        std::function<BitBoxes()> boxes;  // the other window's check boxes of the register
        bool writesOnReload;
        std::function<ByteRegisters&()> image;  // where the register is stored and written
        // DEFAULT: restores the register from DefaultImage (windows without DEFAULT leave it
        // empty).
        std::function<void()> restoreDefault = {};
    };

    // Sets the radio groups from the check boxes (SelectFromBits). Windows that write on reload
    // then send the boxes.
    void Reload();
    // Check boxes from the selected items (unselected groups and unused bits 0), then send them.
    void ApplyButtonClick();
    void OKButtonClick();
    // Hides only: the selections stay until the next reload.
    void CancelButtonClick();
    // Restores the register from DefaultImage, which reloads this window; the window stays open.
    // Only windows with a DEFAULT button have one.
    void DefaultButtonClick();

  protected:
    RadioRegisterForm(ChipSession& session, QWidget* parent) : QWidget(parent), session_(session) {}
    ChipSession& Session() { return session_; }
    // Call after setupUi: connects OKButton, ApplyButton, CancelButton and DefaultButton.
    void Bind(Register reg, std::vector<RadioField> fields);

  private:
    void SendBoxes();

    ChipSession& session_;
    Register register_{};
    std::vector<RadioField> fields_;
};

// A register of the first generation's register editor, restored by DEFAULT from DefaultImage.
RadioRegisterForm::Register FirstGenerationRegister(ChipSession& session, uint8_t subAddress,
                                                    std::function<BitBoxes()> boxes,
                                                    bool writesOnReload);

}  // namespace qk
