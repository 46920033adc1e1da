#pragma once
#include <cstdint>
#include <functional>

#include "core/bus/I2cMaster.h"

namespace qk {

// How a register image reaches its chip: register frames on the bus master, addressed to the chip
// address in force at each transfer, and held back while its generation's MUTE ALL is engaged.
// None of the operations touches an image or looks at the bus errors: the bus master reports them.
class RegisterBus {
  public:
    // While one lives, no register write of any bus reaches its master: nothing is sent or
    // logged. Reads go on. For redrawing windows through paths that would write values the chip
    // already holds (the windows after a restore).
    class SilentHold {
      public:
        SilentHold() { ++silentHolds_; }
        ~SilentHold() { --silentHolds_; }
        SilentHold(const SilentHold&) = delete;
        SilentHold& operator=(const SilentHold&) = delete;
    };
    static bool Silenced() { return silentHolds_ > 0; }

    struct Wiring {
        I2cMaster* bus = nullptr;
        std::function<uint8_t()> deviceAddress;  // 0x34 or 0x36, read at every transfer
        std::function<bool()> muteAllEngaged;    // the generation's MUTE ALL
    };

    void SetWiring(Wiring wiring) { wiring_ = std::move(wiring); }

    // One frame [sub-address, value], unless MUTE ALL is engaged (then nothing at all).
    void WriteRegister(uint8_t subAddress, uint8_t value);
    // The same frame whatever the MUTE ALL state: only for the channel mute register.
    void WriteRegisterAlways(uint8_t subAddress, uint8_t value);
    // One frame [sub-address, high, low] for a two-byte register, unless MUTE ALL is engaged.
    void WriteRegisterWord(uint8_t subAddress, uint8_t high, uint8_t low);
    // The same frame whatever the MUTE ALL state: for a restore, which mutes the channels itself.
    void WriteRegisterWordAlways(uint8_t subAddress, uint8_t high, uint8_t low);
    // One-byte read; 0x00 when nothing was delivered (off line).
    uint8_t ReadRegister(uint8_t subAddress);

  private:
    bool Muted() const { return wiring_.muteAllEngaged && wiring_.muteAllEngaged(); }
    void Write(const uint8_t* frame, int count);
    uint8_t DeviceAddress() const;

    Wiring wiring_;
    static inline int silentHolds_ = 0;
};

}  // namespace qk
