#pragma once
#include <QWidget>
#include <cstdint>

#include "chips/QK330RegisterImage.h"
#include "widgets/BitBoxes.h"

// "QK330 Registers": the second generation's register editor. It owns the register image through
// which every QK330 window reaches the chip; its check boxes hold the state that the setup windows
// read and set. The window is created with the others and stays hidden until opened.
class TQK330RegForm : public QWidget {
    Q_OBJECT
  public:
    explicit TQK330RegForm(QWidget* parent = nullptr);

    qk::QK330RegisterImage& Image() { return image_; }

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

  private:
    qk::QK330RegisterImage image_;
};
