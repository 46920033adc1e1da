#pragma once
#include <array>
#include <chrono>
#include <cstdint>
#include <utility>

#include "core/bus/Port.h"
#include "core/bus/SclTiming.h"

namespace qk {

// SCL and SDA as the bus master drives them through the control port, each change made no sooner
// than the I2C standard mode allows. A phase counts from the moment the write that began it had
// returned and ends when the write that ends it is called: wherever inside a port access the line
// really changes, and however long the access takes, the phase on the wire is never shorter than
// its minimum. The waits end on the monotonic clock, never on a count of loop iterations.
class TimedLines {
  public:
    using Time = std::chrono::nanoseconds;

    // What the standard asks between two events on the lines.
    enum Event { SclRise, SclFall, SdaChange, Start, Stop, EventCount };
    struct Minimum {
        Event change;  // the change that must wait
        Event since;   // for so long after this one
        Time time;
    };
    static const std::array<Minimum, 9> Minimums;

    // Between two readings of the clock the busy loop spins this often.
    static constexpr uint32_t SpinsPerReading = 1;

    explicit TimedLines(PortIo& port) : port_(port) {}
    void SetTiming(SclTiming timing) { timing_ = std::move(timing); }
    const SclTiming& Timing() const { return timing_; }

    // Writes `lines` (ControlScl and ControlSda released or not) to the control port as soon as
    // the standard allows the change; returns the time the write was called.
    Time Drive(uint8_t lines);
    // Waits until `delay` more has passed since the last write was called (or was due, if it had
    // to wait): the delays between two writes add up.
    void Pace(Time delay);
    // A chip held SCL low after the master released it, and it has now been seen high: the high
    // phase counts from now.
    void SclSeenHighNow();
    // Someone else may have driven the lines until now: the next change keeps every minimum from
    // now, as if both lines had just changed.
    void Forget();

  private:
    static constexpr Time LongAgo = Time::min() / 4;  // room to add any minimum

    // Returns the time read once the clock has reached `due`.
    Time WaitUntil(Time due) const;
    uint32_t EventsOf(uint8_t lines) const;

    PortIo& port_;
    SclTiming timing_;
    bool known_ = false;  // false: every line counts as changed by the next write
    uint8_t lines_ = 0;
    Time paceFrom_ = LongAgo;
    Time paced_{0};
    std::array<Time, EventCount> last_{LongAgo, LongAgo, LongAgo, LongAgo, LongAgo};
};

}  // namespace qk
