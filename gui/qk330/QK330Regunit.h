#pragma once
#include <QWidget>
#include <cstdint>

#include "core/chips/QK330RegisterImage.h"
#include "gui/registerkit/RegisterBoxGroups.h"
#include "gui/session/ChipSession.h"
#include "gui/widgets/BitBoxes.h"
#include "ui_QK330Regunit.h"

// "QK330 Registers": the second generation's register editor of the session's QK330 image; its
// check boxes hold the state that the setup windows read and set. The window is created with the
// others and stays hidden until opened. Its setup windows follow it through its signals.
class TQK330RegForm : public QWidget {
    Q_OBJECT
  public:
    explicit TQK330RegForm(qk::ChipSession& session, QWidget* parent = nullptr);

    // The eight boxes of one of the eleven registers the editor shows (00h, 01h, 03h, 04h, 05h,
    // 0Ch, 0Dh, 0Eh, 11h, 12h, 13h), bit 0 first; null boxes for any other register.
    qk::BitBoxes Group(uint8_t reg) const;
    // Soft Mute Apply: packs the 11h boxes, stores them and writes them whatever MUTE ALL says.
    void Reg11ButtonClick();
    // The PADC group is shown for the QK340 only.
    void ShowPadcOffsetGroup(bool shown);

    void Reg00ButtonClick();      // "Read Only"
    void Reg01ButtonClick();      // "Read"
    void Reg01SendButtonClick();  // "Zero": clears the error bits, "No Clip" stays set
    void ReadAllButtonClick();
    void CancelButtonClick();  // "CLOSE": unapplied box edits are discarded
    // "Login&!": the session asks for the login controls.
    void HiddenButtonClick();

  signals:
    // A group showed a read, an apply or a restore: the setup window of `reg`, if it has one
    // (03h, 04h, 05h, 0Dh, 0Eh, 13h), reloads from the boxes and writes the register again.
    void groupFollowed(uint8_t reg);
    // The "Setup" button of `reg` was clicked: its setup window opens.
    void setupRequested(uint8_t reg);

  private:
    void ConnectHandlers();
    // A register restored from DefaultImage, when it is one of the editor's: its boxes show it
    // and its setup window follows.
    void RefreshRegister(uint8_t reg);

    Ui::TQK330RegForm ui;
    qk::ChipSession& session_;
    qk::QK330RegisterImage& image_;
    qk::RegisterBoxGroups groups_;
};
