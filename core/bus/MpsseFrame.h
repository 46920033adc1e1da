#pragma once
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace qk {

// The commands of an FTDI MPSSE engine that make I2C frames, gathered into one buffer that is sent
// in one write and answered in one read. The usual wiring: SCL on AD0 (the engine's clock), SDA
// on AD1 (out) and AD2 (in) tied together. Both lines are open drain on every chip: a line is
// pulled low by making its pin an output of 0 and released by making the pin an input, so the
// value bits stay 0. The clock's own pulses drive AD0 only while it is an output (SCL low); a
// clock with AD0 an input is a pause of known length with SCL released.
//
// With three-phase clocking each bit is three half-periods of the engine's clock: data set-up
// (SCL low), SCL high, data hold (SCL low). A low that borders a START or STOP lasts one
// half-period, so the half-period is the longest of the standard's tLOW, tHIGH and half its
// shortest clock period.
class MpsseFrame {
  public:
    // The engine's commands (its public command set).
    enum Opcode : uint8_t {
        SetLowPins = 0x80,   // value, direction of AD0..AD7
        ReadLowPins = 0x81,  // answers the levels of AD0..AD7
        LoopbackOff = 0x85,
        ClockDivisor = 0x86,   // low, high: half-period = (1 + divisor) / 60 MHz
        SendImmediate = 0x87,  // the answers go to the PC now
        DivideBy5Off = 0x8A,   // 60 MHz base clock
        ThreePhaseOn = 0x8C,
        ClockBits = 0x8E,  // n: n + 1 clocks, no data
        AdaptiveOff = 0x97,
        DriveZero = 0x9E,       // low mask, high mask: those pins drive 0 and float for 1
        ReadBitsRising = 0x22,  // n: n + 1 bits sampled on the rising edge, MSB first
        BadCommand = 0xAA,      // answered 0xFA, 0xAA: the engine is listening
        BadCommandAnswer = 0xFA,
    };
    // The pins.
    static constexpr uint8_t Scl = 0x01, SdaOut = 0x02, SdaIn = 0x04;

    // Commands of the caller's, with the number of answer bytes they bring.
    void Command(std::initializer_list<uint8_t> bytes, int answers = 0);
    // Both lines released, a pause, then the levels read: one answer (SdaIn, Scl).
    void ReadIdleLines();
    // START: both released, a pause (the bus free time), SDA falls, a pause, SCL falls.
    void Start();
    // Eight bits, most significant first, then the acknowledge clock: one answer, bit 0 the
    // level of SDA (0: acknowledged).
    void WriteByte(uint8_t value);
    // Eight bits from the chip: one answer, the byte; then the master's acknowledge (`more`)
    // or not.
    void ReadByte(bool more);
    // STOP: SDA low while SCL is low, held for the data set-up time, SCL released, a pause, SDA
    // released.
    void Stop();
    // With SCL low: SDA pulled low then released, the SDA input read each time (two answers,
    // 0 then SdaIn when AD1 and AD2 are tied); one clock pulse, then both released. No START
    // is made.
    void PullSdaWithSclLow();
    // Ends the buffer: the engine sends its answers at once.
    void Flush() { bytes_.push_back(SendImmediate); }

    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    int Answers() const { return answers_; }

  private:
    void Lines(bool sclLow, bool sdaLow);
    // One bit's time: a clock pulse where SCL is low (AD0 an output), a pause where it is
    // released (AD0 an input).
    void Tick();
    void ReadBits(int count);

    std::vector<uint8_t> bytes_;
    int answers_ = 0;
};

// How fast the engine clocks, by the standard's mode: the divisor of the shortest half-period
// that keeps tLOW, tHIGH and the clock's shortest period.
enum class I2cSpeed { Standard, Fast };
uint16_t MpsseDivisor(I2cSpeed speed);
// The bit rate that divisor gives, in Hz.
double MpsseBitRate(uint16_t divisor);

}  // namespace qk
