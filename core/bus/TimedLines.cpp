#include "core/bus/TimedLines.h"

#include <algorithm>

namespace qk {

using namespace std::chrono_literals;

// Standard mode (100 kHz); the period bounds the rate from both edges.
const std::array<TimedLines::Minimum, 9> TimedLines::Minimums = {{
    {SclRise, SclFall, 4700ns},   // tLOW
    {SclRise, SdaChange, 250ns},  // tSU;DAT
    {SclRise, SclRise, 10000ns},  // the period
    {SclFall, SclRise, 4000ns},   // tHIGH
    {SclFall, Start, 4000ns},     // tHD;STA
    {SclFall, SclFall, 10000ns},  // the period
    {Start, SclRise, 4700ns},     // tSU;STA
    {Start, Stop, 4700ns},        // tBUF
    {Stop, SclRise, 4000ns},      // tSU;STO
}};

namespace {
constexpr uint32_t Bit(TimedLines::Event event) {
    return 1u << event;
}
}  // namespace

// The events a write of `lines` makes. Lines in an unknown state count as changing; SDA changing
// while SCL stays high is a START or a STOP.
uint32_t TimedLines::EventsOf(uint8_t lines) const {
    const uint8_t before = known_ ? lines_ : uint8_t(~lines);
    const bool sclBefore = before & ControlScl, scl = lines & ControlScl;
    const bool sdaBefore = before & ControlSda, sda = lines & ControlSda;
    uint32_t events = 0;
    if (!sclBefore && scl) events |= Bit(SclRise);
    if (sclBefore && !scl) events |= Bit(SclFall);
    if (sdaBefore != sda) {
        events |= Bit(SdaChange);
        if (sclBefore && scl) events |= Bit(sda ? Stop : Start);
    }
    return events;
}

TimedLines::Time TimedLines::WaitUntil(Time due) const {
    Time now = timing_.now();
    while (now < due) {
        timing_.spin(SpinsPerReading);
        now = timing_.now();
    }
    return now;
}

TimedLines::Time TimedLines::Drive(uint8_t lines) {
    const uint32_t events = EventsOf(lines);
    Time due = paceFrom_ + paced_;
    for (const Minimum& minimum : Minimums)
        if (events & Bit(minimum.change)) due = std::max(due, last_[minimum.since] + minimum.time);
    Time called = timing_.now();
    const bool waits = called < due;
    if (waits) called = WaitUntil(due);
    port_.PortWrite(ControlPort, lines);
    const Time returned = timing_.now();
    for (int event = 0; event < EventCount; ++event)
        if (events & Bit(Event(event))) last_[event] = returned;
    known_ = true;
    lines_ = lines;
    // The delays after this write count from its deadline, if it waited for one: the wait's own
    // overshoot is not passed on.
    paceFrom_ = waits ? due : called;
    paced_ = Time{0};
    return called;
}

void TimedLines::Pace(Time delay) {
    paced_ += delay;
    WaitUntil(paceFrom_ + paced_);
}

void TimedLines::SclSeenHighNow() {
    last_[SclRise] = std::max(last_[SclRise], timing_.now());
}

void TimedLines::Forget() {
    known_ = false;
    last_.fill(timing_.now());
}

}  // namespace qk
