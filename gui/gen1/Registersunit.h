#pragma once
#include <QComboBox>
#include <QWidget>
#include <cstdint>

#include "core/chips/QK310RegisterImage.h"
#include "gui/registerkit/RadioRegisterForm.h"
#include "gui/registerkit/RegisterBoxGroups.h"
#include "gui/session/ChipSession.h"
#include "gui/widgets/BitBoxes.h"
#include "ui_Registersunit.h"

// "Registers": the first generation's register editor of the session's image. Its check boxes are
// shared state that the main window, the chip models and the setup windows read and set.
class TRegistersForm : public QWidget {
    Q_OBJECT
  public:
    explicit TRegistersForm(qk::ChipSession& session, QWidget* parent = nullptr);

    // The check boxes of a register group (00h, 01h, 02h, 03h, 04h, 05h, 12h, 19h), bit 0 first.
    qk::BitBoxes Group(uint8_t reg) const;
    // Channel mute Apply: packs group 19 and writes 19h even while MUTE ALL is engaged.
    void Reg19ButtonClick();
    // A setup window of one of the editor's groups (02h, 03h): it reloads whenever the group's
    // boxes change, and the group's "Setup" button opens it. Setup windows call this when made.
    void ConnectSetupWindow(uint8_t reg, qk::RadioRegisterForm& setup);
    // The ABD delay group (register 12h) belongs to the QK320 and QK350/60 only.
    void ShowAbdDelayGroup(bool shown);

    void Reg00ButtonClick();      // "Read Only"
    void Reg01ButtonClick();      // "Read"
    void Reg01SendButtonClick();  // "Zero": clears the error bits, FS stays set
    void Reg02ButtonClick();      // "Setup": System Control 0
    void Reg02SendButtonClick();  // "Apply"
    void Reg03ButtonClick();      // "Setup": System Control 1
    void Reg03SendButtonClick();  // "Apply"
    void Reg04ButtonClick();      // "Apply"
    void AutoMuteDelayComboBoxChange();
    void ABDdelayComboBoxChange();
    void ReadAllButtonClick();
    void CancelButtonClick();  // "CLOSE": unapplied box edits are discarded
    void TestRegBitBtnClick();

  signals:
    // A group's boxes changed by a read, an apply or a refresh: its setup window follows them.
    void groupFollowed(uint8_t reg);
    // A group's "Setup" button: its setup window opens.
    void setupRequested(uint8_t reg);

  private:
    // A delay list and the bits of its register that hold the list's item index.
    struct DelayList {
        QComboBox* list;
        uint8_t reg;
        uint8_t mask;
    };

    void ConnectHandlers();
    // Shows a restored value of one of the editor's registers; other registers are not its.
    void RefreshRegister(uint8_t reg);
    // What else shows a group's register: the setup window (02h, 03h) or the delay list (05h, 12h).
    void FollowGroup(uint8_t reg);
    const DelayList* DelayListOf(uint8_t reg) const;
    void DelayListChange(const DelayList& delay);
    void ListFollowsBits(const DelayList& delay);

    Ui::TRegistersForm ui;
    qk::ChipSession& session_;
    qk::QK310RegisterImage& image_;
    qk::RegisterBoxGroups groups_;
    std::array<DelayList, 2> delayLists_{};
};
