#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/bus/LocalTime.h"
#include "core/chips/StatusBits.h"

namespace qk {

// Follows the status bits from poll to poll: each bit's value, when it last changed, how often it
// was seen set, and its history over the last minutes (for the timeline).
class StatusWatch {
  public:
    // A change of a bit, or (without `from`) its level when the watch began.
    struct Transition {
        int64_t timeMs;  // milliseconds since the epoch
        StatusBit bit;
        std::optional<bool> from;
        bool to;
    };
    struct BitState {
        StatusBit bit;
        std::optional<bool> value;  // none before the first poll
        int64_t changedMs = -1;     // the poll that saw the last change (or the first value)
        int setCount = 0;           // polls that found it set after it was clear (or first)
        std::vector<std::pair<int64_t, bool>> history;  // (time, value) at each change
    };

    // How far back the history reaches.
    static constexpr int64_t HistoryMs = 5 * 60 * 1000;
    // The shortest time the timeline spans, so the first polls do not fill it edge to edge.
    static constexpr int64_t ShortestSpanMs = 10 * 1000;

    explicit StatusWatch(ChipFamily family = ChipFamily::QK310) { Reset(family); }
    void Reset(ChipFamily family);

    // One poll's values of 00h and 01h. The first poll sets the bits' values and reports no
    // transition; later polls report every bit that changed.
    std::vector<Transition> Take(int64_t timeMs, uint8_t generalStatus, uint8_t errorStatus);

    ChipFamily Family() const { return family_; }
    const std::vector<BitState>& Bits() const { return bits_; }
    int64_t LastPollMs() const { return lastPollMs_; }
    int64_t FirstPollMs() const { return firstPollMs_; }
    // The time the timeline spans up to the last poll: since the first poll, at least
    // ShortestSpanMs, at most HistoryMs.
    int64_t SpanMs() const;
    // Every bit's level at the last poll, as transitions without `from` (none before a poll).
    std::vector<Transition> State() const;

  private:
    ChipFamily family_ = ChipFamily::QK310;
    std::vector<BitState> bits_;
    int64_t firstPollMs_ = -1;
    int64_t lastPollMs_ = -1;
};

// The CSV of transitions: header and lines, each ended by "\n"; a level without a change has an
// empty "old".
std::string TransitionCsvHeader();
std::string TransitionCsvLine(const StatusWatch::Transition& transition);

}  // namespace qk
