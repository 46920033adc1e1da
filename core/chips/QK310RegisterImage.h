#pragma once
#include <array>
#include <cstdint>
#include <functional>

#include "core/chips/RegisterImage.h"

namespace qk {

// The first generation's 29 registers: 00h..19h, then 1Dh..1Fh.
class QK310RegisterImage : public RegisterImage<QK310RegisterImage, 29> {
  public:
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

    // Shows a restored entry in its window(s).
    void SetRefresh(std::function<void(int entry)> refresh) { refresh_ = std::move(refresh); }

    // Entry of a sub-address (00h..19h, 1Dh..1Fh), or -1 for an address the image does not hold.
    static int EntryOf(uint8_t subAddress);
    static uint8_t SubAddressOf(int entry);
    // CurrentImage[entry] = DefaultImage[entry], then the entry's refresh.
    void RestoreRegister(int entry);
    // RestoreRegister of entries 0..28 in order.
    void LoadImageFromDefaults();

  private:
    std::function<void(int entry)> refresh_;
};

// The power-on values of the two chips (they differ only in entry 0).
extern const std::array<uint8_t, QK310RegisterImage::Entries> QK310PowerOnDefaults;
extern const std::array<uint8_t, QK310RegisterImage::Entries> QK320PowerOnDefaults;

}  // namespace qk
