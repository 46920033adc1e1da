#pragma once
#include <array>
#include <cstdint>
#include <functional>

#include "chips/RegisterBus.h"

namespace qk {

// The second generation's 61 register bytes: what was last written or read (CurrentImage), what
// chip selection restores (DefaultImage), and each entry's sub-address. Entries 0..53 are
// sub-addresses 00h..35h, entries 54..60 are 79h..7Fh. Two-byte registers are two consecutive
// entries, high byte first, always written as one frame to the high byte's sub-address.
// Callers store a value in CurrentImage first and pass the stored value on: image first, wire
// second.
class QK330RegisterImage : public RegisterBus {
  public:
    static constexpr int Entries = 61;
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

    std::array<uint8_t, Entries> CurrentImage{};
    std::array<uint8_t, Entries> DefaultImage{};
    std::array<uint8_t, Entries> SubAddressTable{};

    // Entry of a sub-address, or -1 for one the image does not hold (02h is held; 36h..78h not).
    static int EntryOf(uint8_t subAddress);
    static uint8_t SubAddressOf(int entry);
    // CurrentImage of the entry at a sub-address (throws for one the image does not hold).
    uint8_t& Current(uint8_t subAddress);

    // Bits 15..8 of `value` into the high entry, bits 7..0 into the next.
    void SetImageWord(int highEntry, uint16_t value);
    // (high << 8) | low of a two-byte register, by its high byte's sub-address.
    uint16_t CurrentWord(uint8_t highSubAddress) const;
    uint16_t DefaultWord(uint8_t highSubAddress) const;

    // Image first, wire second: CurrentImage of the register = value, then WriteRegister (or
    // WriteRegisterWord) of the stored value(s) to the entry's sub-address from SubAddressTable.
    void StoreAndWrite(uint8_t subAddress, uint8_t value);
    void StoreAndWriteWord(uint8_t highSubAddress, uint16_t value);

    void InitSubAddresses();
    // Every entry but entry 2 in order: CurrentImage = DefaultImage, then the entry's refresh;
    // then the two-byte windows.
    void LoadImageFromDefaults();

  private:
    static int HeldEntry(uint8_t subAddress);
    Refresh refresh_;
};

// The fixed power-on table the chip model loads when no chip was read.
extern const std::array<uint8_t, QK330RegisterImage::Entries> QK330PowerOnDefaults;

}  // namespace qk
