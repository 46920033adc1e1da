#include "board/BoardEvents.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <sstream>

namespace qk::board {

const std::vector<BoardEvent>& BoardEvents() {
    static const std::vector<BoardEvent> events = {
        {.raise = "clip", .clear = "clear-clip", .bitName = "No Clip", .activeLow = true},
        {.raise = "sclk-loss", .clear = "clear-sclk", .bitName = "SCLK"},
        {.raise = "lrclk-loss", .clear = "clear-lrclk", .bitName = "LRCLK"},
        {.raise = "frame-slip", .clear = "clear-frame-slip", .bitName = "Frame Slip"},
        {.raise = "psu-ov", .clear = "clear-psu-ov", .bitName = "PSU OV"},
        {.raise = "psu-uv", .clear = "clear-psu-uv", .bitName = "PSU UV"},
        {.raise = "psu-of", .clear = "clear-psu-of", .bitName = "PSU OF"},
        {.raise = "control-pin", .clear = "clear-control-pin", .bitName = "Control Pin"},
        {.raise = "mclk-count", .clear = "clear-mclk-count", .bitName = "MCLK Count"},
        {.raise = "dclk-phase", .clear = "clear-dclk-phase", .bitName = "DCLK Phase"},
        {.raise = "mclk-timing", .clear = "clear-mclk-timing", .bitName = "MCLK Timing"},
        {.raise = "pwm-timing", .clear = "clear-pwm-timing", .bitName = "PWM Timing"},
    };
    return events;
}

std::optional<EventAction> FindEvent(const std::string& name) {
    for (const BoardEvent& event : BoardEvents()) {
        if (name == event.raise) return EventAction{&event, true};
        if (name == event.clear) return EventAction{&event, false};
    }
    return std::nullopt;
}

ChipFamily FamilyOf(Chip chip) {
    const ChipInfo* info = InfoOf(chip);
    return info ? info->family : ChipFamily::QK310;
}

std::string EventNames() {
    std::string names;
    for (const BoardEvent& event : BoardEvents()) {
        for (const char* name : {event.raise, event.clear}) {
            if (!names.empty()) names += ", ";
            names += name;
        }
    }
    return names;
}

namespace {

// "2s", "0.5s", "1500ms": a time or period in milliseconds, at most a day.
std::optional<int64_t> ParseTime(const std::string& text) {
    constexpr int64_t DayMs = 24LL * 3600 * 1000;
    const bool ms = text.size() > 2 && text.ends_with("ms");
    const bool s = !ms && text.size() > 1 && text.back() == 's';
    if (!ms && !s) return std::nullopt;
    const std::string number = text.substr(0, text.size() - (ms ? 2 : 1));
    if (number.empty() || !std::isdigit(static_cast<unsigned char>(number.front())))
        return std::nullopt;
    double value = 0;
    const char* end = number.data() + number.size();
    const auto [stop, problem] = std::from_chars(number.data(), end, value);
    if (problem != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
    const double milliseconds = ms ? value : value * 1000.0;
    if (milliseconds > static_cast<double>(DayMs)) return std::nullopt;
    return static_cast<int64_t>(std::llround(milliseconds));
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream stream(text);
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

// One item, [+]TIME:EVENT[ every PERIOD]; nullopt with `error` naming what is wrong.
std::optional<TimedEvent> ParseItem(const std::string& item, std::string& error) {
    const size_t colon = item.find(':');
    if (colon == std::string::npos) {
        error = "'" + item + "' is not TIME:EVENT (for example 2s:lrclk-loss or +5s:lrclk-loss)";
        return std::nullopt;
    }
    TimedEvent event;
    const std::string time = item.substr(0, colon);
    event.afterFirstPoll = time.starts_with('+');
    const std::optional<int64_t> at = ParseTime(time.substr(event.afterFirstPoll ? 1 : 0));
    if (!at) {
        error = "'" + time +
                "' is not a time: write seconds (2s, 0.5s) or milliseconds (1500ms), after a + "
                "to count from the Status Watch's first poll";
        return std::nullopt;
    }
    event.atMs = *at;
    const std::vector<std::string> words = Words(item.substr(colon + 1));
    event.name = words.empty() ? "" : words.front();
    if (!FindEvent(event.name)) {
        error = "'" + event.name + "' is not an event: choose " + EventNames();
        return std::nullopt;
    }
    if (words.size() == 1) return event;
    if (words.size() != 3 || words[1] != "every") {
        error = "'" + item + "': only 'every PERIOD' may follow the event (+5s:clip every 30s)";
        return std::nullopt;
    }
    const std::optional<int64_t> period = ParseTime(words[2]);
    if (!period || *period <= 0) {
        error = "'" + item + "': the period '" + words[2] +
                "' is not a time above 0 (30s, 0.5s, 1500ms)";
        return std::nullopt;
    }
    event.everyMs = *period;
    return event;
}

}  // namespace

bool ParseEventSchedule(const std::string& text, std::vector<TimedEvent>& schedule,
                        std::string& error) {
    std::vector<TimedEvent> parsed;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        const std::optional<TimedEvent> event =
            ParseItem(Trimmed(text.substr(start, comma - start)), error);
        if (!event) return false;
        parsed.push_back(*event);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    schedule = std::move(parsed);
    return true;
}

EventTimeline::EventTimeline(const std::vector<TimedEvent>& schedule, int64_t startMs) {
    for (const TimedEvent& event : schedule) {
        pending_.push_back({event, std::nullopt});
        if (!event.afterFirstPoll) pending_.back().dueMs = startMs + event.atMs;
    }
}

void EventTimeline::WatchPolled(int64_t nowMs) {
    if (polled_) return;
    polled_ = true;
    for (Pending& pending : pending_)
        if (pending.event.afterFirstPoll) pending.dueMs = nowMs + pending.event.atMs;
}

std::vector<std::string> EventTimeline::TakeDue(int64_t nowMs) {
    std::vector<std::pair<int64_t, size_t>> due;  // (time, place in the schedule)
    for (size_t i = 0; i < pending_.size(); ++i) {
        std::optional<int64_t>& at = pending_[i].dueMs;
        if (!at || *at > nowMs) continue;
        due.emplace_back(*at, i);
        const int64_t every = pending_[i].event.everyMs;
        if (every > 0)
            *at += ((nowMs - *at) / every + 1) * every;
        else
            at.reset();
    }
    std::sort(due.begin(), due.end());
    std::vector<std::string> names;
    for (const auto& [at, i] : due) names.push_back(pending_[i].event.name);
    return names;
}

std::optional<int64_t> EventTimeline::NextDueMs() const {
    std::optional<int64_t> next;
    for (const Pending& pending : pending_)
        if (pending.dueMs && (!next || *pending.dueMs < *next)) next = pending.dueMs;
    return next;
}

bool EventFitsChip(const std::string& name, Chip chip, std::string& error) {
    const std::optional<EventAction> action = FindEvent(name);
    if (action && FindStatusBit(FamilyOf(chip), action->event->bitName)) return true;
    error = "'" + name + "': the " + VirtualBoard::ChipName(chip) + " has no status bit \"" +
            (action ? action->event->bitName : "?") + "\"";
    return false;
}

void ApplyEvent(VirtualBoard& board, Chip chip, const std::string& name) {
    const std::optional<EventAction> action = FindEvent(name);
    if (!action) return;
    const std::optional<StatusBit> bit = FindStatusBit(FamilyOf(chip), action->event->bitName);
    if (!bit) return;
    const auto mask = static_cast<uint8_t>(1u << bit->bit);
    if (action->begins)
        board.BeginCondition(bit->reg, mask, action->event->activeLow);
    else
        board.EndCondition(bit->reg, mask);
}

}  // namespace qk::board
