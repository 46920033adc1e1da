#pragma once
#include <array>
#include <cstdint>
#include <functional>

#include "core/chips/RegisterImage.h"

namespace qk {

// The second generation's 61 register bytes: entries 0..53 are sub-addresses 00h..35h, entries
// 54..60 are 79h..7Fh. Two-byte registers are two consecutive entries, high byte first, always
// written as one frame to the high byte's sub-address.
class QK330RegisterImage : public RegisterImage<QK330RegisterImage, 61> {
  public:
    static constexpr uint8_t SoftMuteRegister = 0x11;
    // Entry 2 (sub-address 02h) has no window and is never restored.
    static constexpr int UnrestoredEntry = 2;

    // Shows a restored entry in its window(s); after all entries, `wordsRestored` gives the
    // two-byte windows (PADC and DC offsets) their values from DefaultImage.
    struct Refresh {
        std::function<void(int entry)> entry;
        std::function<void()> wordsRestored;
    };
    void SetRefresh(Refresh refresh) { refresh_ = std::move(refresh); }

    // Entry of a sub-address, or -1 for one the image does not hold (02h is held; 36h..78h not).
    static int EntryOf(uint8_t subAddress);
    static uint8_t SubAddressOf(int entry);

    // Bits 15..8 of `value` into the high entry, bits 7..0 into the next.
    void SetImageWord(int highEntry, uint16_t value);
    // (high << 8) | low of a two-byte register, by its high byte's sub-address.
    uint16_t CurrentWord(uint8_t highSubAddress) const;
    uint16_t DefaultWord(uint8_t highSubAddress) const;

    // Image first, wire second for a two-byte register: SetImageWord, then WriteRegisterWord of
    // the two stored bytes.
    void StoreAndWriteWord(uint8_t highSubAddress, uint16_t value);

    // Every entry but entry 2 in order: CurrentImage = DefaultImage, then the entry's refresh;
    // then the two-byte windows.
    void LoadImageFromDefaults();

  private:
    Refresh refresh_;
};

// The fixed power-on table the chip model loads when no chip was read.
extern const std::array<uint8_t, QK330RegisterImage::Entries> QK330PowerOnDefaults;

}  // namespace qk
