#include "core/chips/StatusWatch.h"

#include <algorithm>
#include <cstdio>

namespace qk {

void StatusWatch::Reset(ChipFamily family) {
    family_ = family;
    bits_.clear();
    for (const StatusBit& bit : StatusBits(family))
        bits_.push_back(BitState{.bit = bit, .value = std::nullopt, .history = {}});
    firstPollMs_ = -1;
    lastPollMs_ = -1;
}

std::vector<StatusWatch::Transition> StatusWatch::Take(int64_t timeMs, uint8_t generalStatus,
                                                       uint8_t errorStatus) {
    std::vector<Transition> transitions;
    for (BitState& state : bits_) {
        const uint8_t value = state.bit.reg == 0x00 ? generalStatus : errorStatus;
        const bool now = (value >> state.bit.bit) & 1;
        if (state.value == now) continue;
        if (state.value) transitions.push_back({timeMs, state.bit, *state.value, now});
        if (now) ++state.setCount;
        state.value = now;
        state.changedMs = timeMs;
        state.history.emplace_back(timeMs, now);
    }
    // Changes older than the history's reach go, but the last of them stays: it gives the level
    // at the left edge of the timeline.
    for (BitState& state : bits_) {
        auto& h = state.history;
        const auto keepFrom = std::find_if(h.begin(), h.end(), [&](const auto& change) {
            return change.first >= timeMs - HistoryMs;
        });
        if (keepFrom - h.begin() > 1) h.erase(h.begin(), keepFrom - 1);
    }
    if (firstPollMs_ < 0) firstPollMs_ = timeMs;
    lastPollMs_ = timeMs;
    return transitions;
}

int64_t StatusWatch::SpanMs() const {
    const int64_t watched = firstPollMs_ < 0 ? 0 : lastPollMs_ - firstPollMs_;
    return std::clamp(watched, ShortestSpanMs, HistoryMs);
}

std::vector<StatusWatch::Transition> StatusWatch::State() const {
    std::vector<Transition> state;
    for (const BitState& bit : bits_)
        if (bit.value) state.push_back({lastPollMs_, bit.bit, std::nullopt, *bit.value});
    return state;
}

std::string TransitionCsvHeader() {
    return "time,register,bit,old,new\n";
}

std::string TransitionCsvLine(const StatusWatch::Transition& t) {
    char text[48];
    std::snprintf(text, sizeof text, ",%02Xh,", t.bit.reg);
    const char* from = !t.from ? "" : *t.from ? "1" : "0";
    return LocalTimeText(t.timeMs) + text + t.bit.name + "," + from + "," + (t.to ? "1" : "0") +
           "\n";
}

}  // namespace qk
