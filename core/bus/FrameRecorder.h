#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/bus/FrameRing.h"
#include "core/bus/I2cMaster.h"

namespace qk {

// The value the bus last carried for each sub-address (nullopt where none is known yet).
using KnownBytes = std::array<std::optional<uint8_t>, 256>;

// What the bytes of consecutive registers mean: names, decoded values, and how fields changed
// against the values the bus last carried for them; `known` also completes a value of several
// bytes that the frame carries only in part.
class RegisterDescriber {
  public:
    virtual ~RegisterDescriber() = default;
    virtual std::string Describe(uint8_t subAddress, const std::vector<uint8_t>& values,
                                 const KnownBytes& known, bool read) const = 0;
};

// Watches the bus master and keeps every frame in a ring with its time, its register and its
// meaning. A read frame belongs to the register its sub-address frame pointed at; the chip's
// pointer moves on by one per byte, as it does on the chip. Told of new frames through
// `framesArrived`, which should only note that there is work (it runs inside the bus operation).
class FrameRecorder : public FrameObserver {
  public:
    explicit FrameRecorder(size_t capacity) : ring_(capacity) {}

    void OnFrame(const FrameRecord& frame) override;

    // The describer for the chip in use (none: the register's sub-address and bytes only).
    void SetDescriber(const RegisterDescriber* describer) { describer_ = describer; }
    // The value the image holds for a register, the base of the first change shown for it.
    void Seed(uint8_t subAddress, uint8_t value) { known_[subAddress] = value; }
    void Forget() { known_.fill(std::nullopt); }

    FrameRing& Ring() { return ring_; }
    const FrameRing& Ring() const { return ring_; }
    std::function<void()> framesArrived;
    // The clock, milliseconds since the epoch; replaceable so that tests control it.
    std::function<int64_t()> now;

  private:
    std::string Meaning(const FrameRecord& frame, int subAddress,
                        const std::vector<uint8_t>& values);

    FrameRing ring_;
    const RegisterDescriber* describer_ = nullptr;
    KnownBytes known_{};
    int pointer_ = -1;  // the chip's register pointer as the frames set it
};

// The texts of a monitored frame as the monitor's table and its CSV file show them.
struct FrameTexts {
    std::string time;        // "14:03:07.250", local time
    std::string address;     // "0x1a": the 7-bit address, as i2c-tools write it
    std::string direction;   // "W", "R" or "Probe"
    std::string subAddress;  // "26h"
    std::string bytes;       // "26 03 CF": the bytes written after the address
    std::string read;        // "5C": the bytes read
    std::string meaning;
    std::string error;  // "ACK Error", "Wait Error", "OFF LINE" or empty
};
FrameTexts TextsOf(const MonitoredFrame& frame);

// CSV: the header line, and one line per frame (RFC 4180 quoting), each ended by "\n".
std::string FrameCsvHeader();
std::string FrameCsvLine(const MonitoredFrame& frame);

// "03 CF": bytes in upper-case hex, space-separated.
std::string HexBytes(const std::vector<uint8_t>& bytes);

}  // namespace qk
