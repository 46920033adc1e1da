#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "board/VirtualBoard.h"
#include "core/chips/StatusBits.h"

namespace qk::board {

// A fault the board can raise on its chip, and the status bit that latches it. The bit is named
// as the register map names it; an active-low bit ("No Clip") is cleared by its fault.
struct BoardEvent {
    const char* raise;  // "lrclk-loss": the fault begins
    const char* clear;  // "clear-lrclk": the fault ends (the latched bit stays until a Zero)
    const char* bitName;
    bool activeLow = false;
};

// Every fault the board knows, in the order the Board window offers them.
const std::vector<BoardEvent>& BoardEvents();

// What one event name does: begin or end a fault.
struct EventAction {
    const BoardEvent* event = nullptr;
    bool begins = true;
};
std::optional<EventAction> FindEvent(const std::string& name);

// The family whose register map names the chip's status bits.
ChipFamily FamilyOf(Chip chip);

// One step of a --events schedule: at `atMs` after start, the named event.
struct TimedEvent {
    int64_t atMs = 0;
    std::string name;
    bool operator==(const TimedEvent&) const = default;
};

// Reads "2s:lrclk-loss,5s:clear-lrclk,1500ms:psu-uv" (seconds may have a fraction). False, with
// `error` saying which item is wrong and why, for anything else.
bool ParseEventSchedule(const std::string& text, std::vector<TimedEvent>& schedule,
                        std::string& error);

// Whether the chip has the event's status bit; when not, `error` names the event and the chip.
bool EventFitsChip(const std::string& name, Chip chip, std::string& error);

// Begins or ends the event's fault on the board (the name must be known and fit the chip).
void ApplyEvent(VirtualBoard& board, Chip chip, const std::string& name);

// The names of every event, ", "-separated, for messages and the help text.
std::string EventNames();

}  // namespace qk::board
