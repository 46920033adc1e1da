#include "core/bus/I2cBus.h"

#include <cmath>

namespace qk {

I2cBus::I2cBus(PortIo& port, FrameLogSink& log) : I2cMaster(log), port_(port), lines_(port) {}

TimedLines::Time I2cBus::CountTime(uint32_t count) const {
    return TimedLines::Time(std::llround(double(count) * NanosecondsPerCount));
}
void I2cBus::HalfPeriodDelay() {
    lines_.Pace(CountTime(HalfPeriodCount));
}
void I2cBus::QuarterPeriodDelay() {
    lines_.Pace(CountTime(QuarterPeriodCount));
}

void I2cBus::WaitSclHigh() {
    int32_t budget = WaitTimeoutBudget;
    bool heldLow = false;
    for (;;) {
        --budget;
        const uint8_t status = port_.PortRead(StatusPort);
        if ((status & StatusScl) && budget > 0) {
            // Held low by a chip: the high phase starts when SCL was seen high.
            if (heldLow) lines_.SclSeenHighNow();
            return;
        }
        heldLow = heldLow || !(status & StatusScl);
        if (budget > 0) continue;
        WaitTimeoutBudget = 0;
        ReportWaitError();
        return;
    }
}

void I2cBus::WaitAck() {
    int32_t budget = AckTimeoutBudget;
    for (;;) {
        --budget;
        const uint8_t status = port_.PortRead(StatusPort);
        if ((status & (StatusScl | StatusSda)) == StatusScl && budget >= 1) break;
        if (budget > 0) continue;
        AckTimeoutBudget = 0;
        ReportAckError(byteInFrame_);
        break;
    }
    // The rest of the half period: the polls count against the SCL high time.
    HalfPeriodDelay();
}

// SDA falls while SCL is high.
void I2cBus::I2cStart() {
    Out(BothReleased);
    QuarterPeriodDelay();
    WaitSclHigh();
    Out(SclReleased);
    HalfPeriodDelay();
    WaitSclHigh();
    Out(BothLow);
    HalfPeriodDelay();
    // Ends with both lines low.
}

// SDA rises while SCL is high.
void I2cBus::I2cStop() {
    // SCL falls first, then SDA: every low phase holds two writes and two quarter periods.
    Out(SdaReleased);
    QuarterPeriodDelay();
    Out(BothLow);
    QuarterPeriodDelay();
    Out(SclReleased);
    HalfPeriodDelay();
    WaitSclHigh();
    Out(BothReleased);
    HalfPeriodDelay();
    WaitSclHigh();
    // Ends with both lines released: the bus is idle.
}

// Eight data bits, most significant first, then the chip's acknowledge clock.
void I2cBus::I2cWriteByte(uint8_t value) {
    // SCL falls before SDA may change: the acknowledge clock (or START) left SCL high.
    Out(SdaReleased);
    QuarterPeriodDelay();
    for (int bit = 7; bit >= 0; --bit) ClockBit((value >> bit) & 1, true);
    // Acknowledge clock: SDA released for the chip to pull low, SCL raised.
    Out(SdaReleased);
    QuarterPeriodDelay();
    Out(BothReleased);
    WaitSclHigh();
    WaitAck();
    // Ends with both lines released (SCL high): the next write lowers SCL.
}

TimedLines::Time I2cBus::ClockBit(bool one, bool waitForScl) {
    Out(Drive(one, false));
    QuarterPeriodDelay();
    Out(Drive(one, true));
    if (waitForScl)
        WaitSclHigh();
    else
        port_.PortRead(StatusPort);
    HalfPeriodDelay();
    const TimedLines::Time fell = Out(Drive(one, false));
    QuarterPeriodDelay();
    return fell;
}

std::vector<std::chrono::nanoseconds> I2cBus::ClockPeriods(int periods) {
    lines_.Forget();
    TimedLines::Time fell = Out(SdaReleased);
    QuarterPeriodDelay();
    std::vector<std::chrono::nanoseconds> times;
    for (int i = 0; i < periods; ++i) {
        const TimedLines::Time next = ClockBit(true, false);
        times.push_back(next - fell);
        fell = next;
    }
    Out(BothReleased);
    return times;
}

// Eight bits from the chip, sampled while SCL is high.
uint8_t I2cBus::I2cReadByte() {
    uint8_t result = 0;
    Out(SdaReleased);
    HalfPeriodDelay();
    HalfPeriodDelay();
    for (int i = 0; i < 8; ++i) {
        result = static_cast<uint8_t>(result << 1);
        Out(BothReleased);
        HalfPeriodDelay();
        HalfPeriodDelay();
        WaitSclHigh();
        const uint8_t status = port_.PortRead(StatusPort);
        Out(SdaReleased);
        HalfPeriodDelay();
        HalfPeriodDelay();
        if (status & StatusSda) result |= 1;
    }
    // Ends with SDA released, SCL low.
    return result;
}

// The master pulls SDA low through one clock: another byte is wanted.
void I2cBus::I2cMasterAck() {
    Out(BothLow);
    HalfPeriodDelay();
    Out(SclReleased);
    HalfPeriodDelay();
    HalfPeriodDelay();
    HalfPeriodDelay();
    WaitSclHigh();
    Out(BothLow);
    HalfPeriodDelay();
    Out(SdaReleased);
    HalfPeriodDelay();
    HalfPeriodDelay();
    HalfPeriodDelay();
    // Ends with SDA released, SCL low.
}

// The master leaves SDA high through one clock: the last byte has been read.
void I2cBus::I2cMasterNack() {
    Out(SdaReleased);
    HalfPeriodDelay();
    HalfPeriodDelay();
    Out(BothReleased);
    HalfPeriodDelay();
    HalfPeriodDelay();
    HalfPeriodDelay();
    WaitSclHigh();
    Out(SdaReleased);
    HalfPeriodDelay();
    HalfPeriodDelay();
    HalfPeriodDelay();
    // Ends with SDA released, SCL low.
}

void I2cBus::SendWriteFrame(const uint8_t* frame, int count) {
    I2cStart();
    for (int i = 0; i < count; ++i) {
        byteInFrame_ = i;
        I2cWriteByte(frame[i]);
    }
    byteInFrame_ = -1;
    I2cStop();
}

void I2cBus::ReceiveReadFrame(uint8_t address, uint8_t* buffer, int count) {
    I2cStart();  // a new start after the stop: no repeated start
    byteInFrame_ = 0;
    I2cWriteByte(address);
    byteInFrame_ = -1;
    for (int i = 0; i < count; ++i) {
        buffer[i] = I2cReadByte();
        if (i < count - 1)
            I2cMasterAck();
        else
            I2cMasterNack();
    }
    I2cStop();
}

I2cBus::HeldLine I2cBus::LineHeldLow() {
    Out(BothReleased);
    QuarterPeriodDelay();
    const uint8_t status = port_.PortRead(StatusPort);
    if (!(status & StatusScl)) return HeldLine::Scl;
    if (!(status & StatusSda)) return HeldLine::Sda;
    return HeldLine::None;
}

void I2cBus::ResetMasterErrors() {
    AckTimeoutBudget = FullPollBudget;
    WaitTimeoutBudget = FullPollBudget;
}

}  // namespace qk
