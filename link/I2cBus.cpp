#include "link/I2cBus.h"

namespace qk {

I2cBus::I2cBus(PortIo& port, I2cErrorSink& errors, FrameLogSink& log)
    : I2cMaster(errors, log), port_(port) {}

void I2cBus::HalfPeriodDelay() const {
    Spin(HalfPeriodCount);
}
void I2cBus::QuarterPeriodDelay() const {
    Spin(QuarterPeriodCount);
}

void I2cBus::WaitSclHigh() {
    int32_t budget = WaitTimeoutBudget;
    for (;;) {
        --budget;
        const uint8_t status = port_.PortRead(StatusPort);
        if ((status & StatusScl) && budget > 0) return;
        if (budget > 0) continue;
        WaitTimeoutBudget = 0;
        ReportWaitError();
        return;
    }
}

void I2cBus::WaitAck() {
    int32_t budget = AckTimeoutBudget;
    // The polls count against the SCL high time. n is signed and wide: a wait that polls longer
    // than the half period leaves it below zero, and the burn loop below must then stop at once.
    int64_t remaining = HalfPeriodCount;
    for (;;) {
        --budget;
        --remaining;
        const uint8_t status = port_.PortRead(StatusPort);
        if ((status & (StatusScl | StatusSda)) == StatusScl && budget >= 1) break;
        if (budget > 0) continue;
        AckTimeoutBudget = 0;
        ReportAckError();
        break;
    }
    // Burn the rest of the half period: "n = n - 1 while n > 0" runs max(n, 1) times.
    Spin(remaining > 1 ? static_cast<uint32_t>(remaining) : 1u);
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
    for (int bit = 7; bit >= 0; --bit) {
        const bool one = (value >> bit) & 1;
        Out(Drive(one, false));
        QuarterPeriodDelay();
        Out(Drive(one, true));
        WaitSclHigh();
        HalfPeriodDelay();
        Out(Drive(one, false));
        QuarterPeriodDelay();
    }
    // Acknowledge clock: SDA released for the chip to pull low, SCL raised.
    Out(SdaReleased);
    QuarterPeriodDelay();
    Out(BothReleased);
    WaitSclHigh();
    WaitAck();
    // Ends with both lines released (SCL high): the next write lowers SCL.
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
    for (int i = 0; i < count; ++i) I2cWriteByte(frame[i]);
    I2cStop();
}

void I2cBus::ReceiveReadFrame(uint8_t address, uint8_t* buffer, int count) {
    I2cStart();  // a new start after the stop: no repeated start
    I2cWriteByte(address);
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
