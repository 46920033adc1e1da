#include "board/BoardEvents.h"

#include <cctype>
#include <charconv>
#include <cmath>

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

// "2s", "0.5s", "1500ms": a time from start in milliseconds, at most a day.
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

}  // namespace

bool ParseEventSchedule(const std::string& text, std::vector<TimedEvent>& schedule,
                        std::string& error) {
    std::vector<TimedEvent> parsed;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        const std::string item = text.substr(start, comma - start);
        const size_t colon = item.find(':');
        if (colon == std::string::npos) {
            error = "'" + item + "' is not TIME:EVENT (for example 2s:lrclk-loss)";
            return false;
        }
        const std::string time = item.substr(0, colon);
        const std::optional<int64_t> at = ParseTime(time);
        if (!at) {
            error =
                "'" + time + "' is not a time: write seconds (2s, 0.5s) or milliseconds (1500ms)";
            return false;
        }
        const std::string name = item.substr(colon + 1);
        if (!FindEvent(name)) {
            error = "'" + name + "' is not an event: choose " + EventNames();
            return false;
        }
        parsed.push_back({*at, name});
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    schedule = std::move(parsed);
    return true;
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
