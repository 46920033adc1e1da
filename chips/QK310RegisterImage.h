#pragma once
#include <array>
#include <cstdint>
#include <functional>

#include "link/I2cBus.h"

namespace qk {

// The first generation's 29 registers: what was last written or read (CurrentImage), what a
// restore returns to (DefaultImage), and each entry's sub-address. Callers store a value in
// CurrentImage first and pass the stored value on: image first, wire second. Nothing is rolled
// back when a write is suppressed or fails.
class QK310RegisterImage {
  public:
    static constexpr int Entries = 29;

    // Sub-addresses the windows name. A per-channel register holds channel n at its channel 1
    // sub-address + n - 1.
    static constexpr uint8_t SystemControl0Register = 0x02;
    static constexpr uint8_t SystemControl1Register = 0x03;
    static constexpr uint8_t ErrorRecoveryRegister = 0x04;
    static constexpr uint8_t AutoMuteDelayRegister = 0x05;
    static constexpr uint8_t FirstDcOffsetRegister = 0x06;
    static constexpr uint8_t FirstDelayRegister = 0x0C;
    static constexpr uint8_t AbdDelayRegister = 0x12;
    static constexpr uint8_t FirstVolumeRegister = 0x13;
    static constexpr uint8_t ChannelMuteRegister = 0x19;
    static constexpr uint8_t Test0Register = 0x1E;

    struct Wiring {
        I2cBus* bus = nullptr;
        std::function<uint8_t()> deviceAddress;  // 0x34 or 0x36, read at every transfer
        std::function<bool()> muteAllEngaged;    // first-generation MUTE ALL
        std::function<void(int entry)> refresh;  // shows a restored entry in its window(s)
    };

    void SetWiring(Wiring wiring) { wiring_ = std::move(wiring); }

    std::array<uint8_t, Entries> CurrentImage{};
    std::array<uint8_t, Entries> DefaultImage{};
    std::array<uint8_t, Entries> SubAddressTable{};

    // Entry of a sub-address (00h..19h, 1Dh..1Fh), or -1 for an address the image does not hold.
    static int EntryOf(uint8_t subAddress);
    static uint8_t SubAddressOf(int entry);
    // CurrentImage of the entry at a sub-address.
    uint8_t& Current(uint8_t subAddress);

    // One frame [sub-address, value] to the chip, unless MUTE ALL is engaged (then nothing at all).
    void WriteRegister(uint8_t subAddress, uint8_t value);
    // The same frame whatever the MUTE ALL state; only for the channel mute register.
    void WriteRegisterAlways(uint8_t subAddress, uint8_t value);
    // One-byte read; 0x00 when nothing was delivered (off line).
    uint8_t ReadRegister(uint8_t subAddress);

    // Image first, wire second: the value goes into CurrentImage, then the stored byte to the chip
    // (WriteRegister, so not while MUTE ALL is engaged). Returns the stored byte.
    uint8_t StoreAndWrite(uint8_t subAddress, uint8_t value);
    // The same through WriteRegisterAlways; only for the channel mute register.
    uint8_t StoreAndWriteAlways(uint8_t subAddress, uint8_t value);
    // ReadRegister into CurrentImage; returns the stored byte.
    uint8_t ReadAndStore(uint8_t subAddress);

    void InitSubAddresses();
    // CurrentImage[entry] = DefaultImage[entry], then the entry's refresh.
    void RestoreRegister(int entry);
    // RestoreRegister of entries 0..28 in order.
    void LoadImageFromDefaults();

  private:
    uint8_t DeviceAddress() const;
    uint8_t StoreThenWrite(uint8_t subAddress, uint8_t value,
                           void (QK310RegisterImage::*write)(uint8_t, uint8_t));
    Wiring wiring_;
};

// The power-on values of the two chips (they differ only in entry 0).
extern const std::array<uint8_t, QK310RegisterImage::Entries> QK310PowerOnDefaults;
extern const std::array<uint8_t, QK310RegisterImage::Entries> QK320PowerOnDefaults;

}  // namespace qk
