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

// One step of a --events schedule: `atMs` after start, or after the Status Watch's first poll when
// `afterFirstPoll` ("+" before the time), the named event; again every `everyMs` when not 0.
struct TimedEvent {
    int64_t atMs = 0;
    std::string name;
    bool afterFirstPoll = false;
    int64_t everyMs = 0;
    bool operator==(const TimedEvent&) const = default;
};

// Reads comma-separated items [+]TIME:EVENT[ every PERIOD], for example
// "2s:lrclk-loss,+5s:clear-lrclk,+1500ms:psu-uv every 30s" (seconds may have a fraction; spaces
// around an item are ignored). False, with `error` saying which item is wrong and why, for anything
// else, a period of 0 too.
bool ParseEventSchedule(const std::string& text, std::vector<TimedEvent>& schedule,
                        std::string& error);

// Runs a schedule on times the caller reads from its clock: times without "+" count from
// `startMs`, times with "+" from the first WatchPolled() (later polls change nothing).
class EventTimeline {
  public:
    EventTimeline(const std::vector<TimedEvent>& schedule, int64_t startMs);

    void WatchPolled(int64_t nowMs);
    // The names of the events due by `nowMs`, in time order. Each is taken once; a repeating one
    // comes due again a period after the last time it was due (times missed in between, when the
    // caller was late, are skipped, not made up).
    std::vector<std::string> TakeDue(int64_t nowMs);
    // When the next event is due; none when nothing is left that can come due before a poll.
    std::optional<int64_t> NextDueMs() const;

  private:
    struct Pending {
        TimedEvent event;
        std::optional<int64_t> dueMs;  // none: waiting for the first poll, or done
    };
    std::vector<Pending> pending_;
    bool polled_ = false;
};

// Whether the chip has the event's status bit; when not, `error` names the event and the chip.
bool EventFitsChip(const std::string& name, Chip chip, std::string& error);

// Begins or ends the event's fault on the board (the name must be known and fit the chip).
void ApplyEvent(VirtualBoard& board, Chip chip, const std::string& name);

// The names of every event, ", "-separated, for messages and the help text.
std::string EventNames();

}  // namespace qk::board
