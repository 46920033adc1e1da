#pragma once
#include <chrono>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/bus/I2cMaster.h"
#include "core/bus/Port.h"
#include "core/bus/SclTiming.h"
#include "core/bus/TimedLines.h"

namespace qk {

// The bit-banged I2C bus master on the parallel port. Every line change is one control-port write,
// made no sooner than the I2C standard mode allows (TimedLines); the two counts pace the delays of
// the sequences on top of that, at the time per count the calibration found. Errors are sticky:
// a time-out sets its flag and zeroes its poll budget until I2cResetErrors, so a dead bus costs one
// full wait and no more.
class I2cBus : public I2cMaster {
  public:
    static constexpr int32_t FullPollBudget = 3000000;

    I2cBus(PortIo& port, FrameLogSink& log);

    // Releases both lines, lets them rise for a quarter period and reads them once. Lines only.
    HeldLine LineHeldLow() override;

    // Timing, set by the calibration (and the half count by hand in the setup window): a delay of
    // n counts lasts n x NanosecondsPerCount, so a larger count is a slower clock. Until a
    // calibration the time per count is 0 and the standard's minimums alone time the bus.
    uint32_t HalfPeriodCount = 0;
    uint32_t QuarterPeriodCount = 0;
    double NanosecondsPerCount = 0.0;

    // Poll budgets, part of the error state.
    int32_t AckTimeoutBudget = FullPollBudget;
    int32_t WaitTimeoutBudget = FullPollBudget;

    PortIo& Port() { return port_; }

    // The clock every wait ends on and the busy loop spun meanwhile; the calibration times with
    // the same, so that a count means the same time in both. Tests play a machine of their own.
    const SclTiming& Timing() const { return lines_.Timing(); }
    void SetTiming(SclTiming timing) { lines_.SetTiming(std::move(timing)); }

    // The calibration's clock, as the wire gets it: after the lines were driven elsewhere, SCL
    // pulses with SDA released (no START, so no frame), each timed as a data bit is, but with a
    // single status read in place of the wait for SCL. Returns the times from each falling edge to
    // the next, as many as `periods`; leaves both lines released.
    std::vector<std::chrono::nanoseconds> ClockPeriods(int periods);

  protected:
    void SendWriteFrame(const uint8_t* frame, int count) override;
    void ReceiveReadFrame(uint8_t address, uint8_t* buffer, int count) override;
    void ResetMasterErrors() override;

  private:
    // What the master drives on the control port; a released line is pulled high (open drain).
    enum Lines : uint8_t {
        BothLow = 0,
        SdaReleased = ControlSda,  // SCL low
        SclReleased = ControlScl,  // SDA low
        BothReleased = ControlSda | ControlScl,
    };
    static Lines Drive(bool sdaReleased, bool sclReleased) {
        return static_cast<Lines>((sdaReleased ? ControlSda : 0) | (sclReleased ? ControlScl : 0));
    }

    // Returns the time the write was called.
    TimedLines::Time Out(Lines lines) { return lines_.Drive(lines); }
    TimedLines::Time CountTime(uint32_t count) const;
    void HalfPeriodDelay();
    void QuarterPeriodDelay();
    // One data bit: SDA set while SCL is low, SCL raised (waited for, or read once), held, then
    // lowered. Returns the time the falling edge's write was called.
    TimedLines::Time ClockBit(bool one, bool waitForScl);
    void WaitSclHigh();
    void WaitAck();
    void I2cStart();
    void I2cStop();
    void I2cWriteByte(uint8_t value);
    uint8_t I2cReadByte();
    void I2cMasterAck();
    void I2cMasterNack();

    PortIo& port_;
    TimedLines lines_;
    int byteInFrame_ = -1;  // the byte of the frame on the wire, 0 the address byte
};

}  // namespace qk
