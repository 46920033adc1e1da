#pragma once
#include <QLineEdit>
#include <QWidget>
#include <array>
#include <cstdint>

#include "core/chips/QK330Offsets.h"
#include "gui/session/ChipSession.h"
#include "ui_QK330SEOffsetRegunit.h"

// "QK330 SE Offset": the single-ended offset, a signed value with 30 fraction bits in registers
// 32h..35h, as a number, as four hex bytes, and from a supply voltage and a resistor divider.
class TQK330SEOffsetRegForm : public QWidget {
    Q_OBJECT
  public:
    explicit TQK330SEOffsetRegForm(qk::ChipSession& session, QWidget* parent = nullptr);

    // Shows byte 1..4 (32h..35h) of the SE offset, then Hex Enter, Float Enter and APPLY.
    void ShowSeOffsetByte(int byte, uint8_t value);
    // Shows the four bytes as they are and their number (Hex Enter); nothing is sent.
    void ShowSeOffset(const qk::SeOffsetBytes& bytes);

    // The calculator's five boxes to "0".
    void ClearSeCalculator();
    // The two factors from PSU, R1 and R2; false (a message shown, factors as they were) when one
    // of them is not a number.
    bool UpdateSeFactors();
    // Hex Enter: the number from the four byte edits.
    void HexBitBtnClick();
    // Float Enter: the four byte edits from the number.
    void FloatBitBtnClick();
    // CALCULATE: the number and the bytes from the calculator; nothing reaches the chip.
    void CalcSEOffsetButtonClick();
    // APPLY: the four byte edits to 32h..35h.
    void SendButtonClick();
    // READ ALL: the four registers read, then shown one by one (each show ends with APPLY).
    void ReadAllButtonClick();

  private:
    qk::ChipSession& session_;
    void ShowBytes(const qk::SeOffsetBytes& bytes);
    qk::SeOffsetBytes EditedBytes() const;

    Ui::TQK330SEOffsetRegForm ui;
    std::array<QLineEdit*, 4> byteEdits_{};
};
