#pragma once
// The way an engineer reaches every window on the virtual board: START, the engineering login,
// the chip's button, then each window of the chip's generation in turn. The screenshot tool and
// the window tests take the same way.
#include <QList>
#include <QWidget>

#include "board/VirtualBoard.h"

namespace qk {

// One run of the program on a virtual board, and the windows it reaches.
struct TourSession {
    board::Chip chip;
    const char* chipButton;  // chosen after START; empty when START chose the chip itself
    const char* name;        // "qk340" for the QK340 session
    bool secondGeneration;   // reaches the QK330 windows, else all the others
};

// The QK310 shows the first generation; the QK330 and the QK340 show the second generation's
// windows each in its own chip state.
inline constexpr TourSession kTourSessions[] = {
    {.chip = board::Chip::QK310, .chipButton = "", .name = "qk310", .secondGeneration = false},
    {.chip = board::Chip::QK330,
     .chipButton = "QK330RadioButton",
     .name = "qk330",
     .secondGeneration = true},
    {.chip = board::Chip::QK330,
     .chipButton = "QK340RadioButton",
     .name = "qk340",
     .secondGeneration = true},
};

// The steps from the program's start to the chip's windows, clicked and typed as the user does:
// START; the hidden login opened and the engineering code typed, not yet entered; Enter and the
// session's chip button.
void ClickStart();
void TypeEngineeringCode();
void EnterLoginAndChooseChip(const TourSession& session);
// The three steps at once.
void ReachChip(const TourSession& session);
// The secondary windows the session's generation can open, in creation order (the chip models'
// windows are never shown).
QList<QWidget*> TourWindows(const TourSession& session);

}  // namespace qk
