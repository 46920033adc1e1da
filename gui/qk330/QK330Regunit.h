#pragma once
#include <QWidget>
#include <cstdint>

#include "core/chips/QK330RegisterImage.h"
#include "gui/registerkit/RegisterBoxGroups.h"
#include "gui/session/ChipSession.h"
#include "gui/widgets/BitBoxes.h"
#include "ui_QK330Regunit.h"

// "QK330 Registers": the second generation's register editor of the session's QK330 image; its
// check boxes hold the state that the setup windows read and set. The window is created with the others and stays hidden until opened.
class TQK330RegForm : public QWidget {
    Q_OBJECT
  public:
    explicit TQK330RegForm(qk::ChipSession& session, QWidget* parent = nullptr);


    // The eight boxes of one of the eleven registers the editor shows (00h, 01h, 03h, 04h, 05h,
    // 0Ch, 0Dh, 0Eh, 11h, 12h, 13h), bit 0 first; null boxes for any other register.
    qk::BitBoxes Group(uint8_t reg) const;
    // Soft Mute Apply: packs the 11h boxes, stores them and writes them whatever MUTE ALL says.
    void Reg11ButtonClick();
    // Shows an entry restored from DefaultImage in the windows that show it.
    void RefreshEntry(int entry);
    // After a restore from DefaultImage: the PADC and DC offset windows are set from the default
    // words of 0Fh-10h and 14h-15h .. 1Eh-1Fh.
    void RestoreWordWindows();
    // The PADC group is shown for the QK340 only.
    void ShowPadcOffsetGroup(bool shown);

    void Reg00ButtonClick();      // "Read Only"
    void Reg01ButtonClick();      // "Read"
    void Reg01SendButtonClick();  // "Zero": clears the error bits, "No Clip" stays set
    void ReadAllButtonClick();
    void CancelButtonClick();  // "CLOSE": unapplied box edits are discarded
    // "Login&!": the main window's login controls.
    void HiddenButtonClick();

  private:
    void ConnectHandlers();
    // The setup window of a register (03h, 04h, 05h, 0Dh, 0Eh, 13h) reloads and writes it again.
    void FollowGroup(uint8_t reg);
    // The windows of the registers that the editor does not show; false for none.
    bool RefreshChannelWindow(uint8_t reg, uint8_t value);
    bool RefreshTestWindow(uint8_t reg, uint8_t value);

    Ui::TQK330RegForm ui;
    qk::ChipSession& session_;
    qk::QK330RegisterImage& image_;
    qk::RegisterBoxGroups groups_;
};
