#include "core/chips/QK330RegisterImage.h"

#include "core/chips/QK330RegisterMap.h"

namespace qk {

namespace {

// The sub-addresses 00h..35h are entries 0..53; the test registers 79h..7Fh follow.
constexpr uint8_t LastLowSubAddress = 0x35;
constexpr uint8_t FirstTestSubAddress = 0x79;
constexpr uint8_t LastTestSubAddress = 0x7F;
constexpr int FirstTestEntry = LastLowSubAddress + 1;

}  // namespace

const std::array<uint8_t, QK330RegisterImage::Entries> QK330PowerOnDefaults =
    PowerOnValues(kQK330Registers);

int QK330RegisterImage::EntryOf(uint8_t subAddress) {
    if (subAddress <= LastLowSubAddress) return subAddress;
    if (subAddress >= FirstTestSubAddress && subAddress <= LastTestSubAddress)
        return FirstTestEntry + subAddress - FirstTestSubAddress;
    return -1;
}

uint8_t QK330RegisterImage::SubAddressOf(int entry) {
    return static_cast<uint8_t>(
        entry < FirstTestEntry ? entry : FirstTestSubAddress + entry - FirstTestEntry);
}

void QK330RegisterImage::SetImageWord(int highEntry, uint16_t value) {
    CurrentImage.at(highEntry) = static_cast<uint8_t>(value >> 8);
    CurrentImage.at(highEntry + 1) = static_cast<uint8_t>(value & 0xFF);
}

uint16_t QK330RegisterImage::CurrentWord(uint8_t highSubAddress) const {
    const int high = HeldEntry(highSubAddress);
    return static_cast<uint16_t>(CurrentImage.at(high) << 8 | CurrentImage.at(high + 1));
}

uint16_t QK330RegisterImage::DefaultWord(uint8_t highSubAddress) const {
    const int high = HeldEntry(highSubAddress);
    return static_cast<uint16_t>(DefaultImage.at(high) << 8 | DefaultImage.at(high + 1));
}

void QK330RegisterImage::StoreAndWriteWord(uint8_t highSubAddress, uint16_t value) {
    const int high = HeldEntry(highSubAddress);
    SetImageWord(high, value);
    WriteRegisterWord(highSubAddress, CurrentImage[high], CurrentImage[high + 1]);
}

void QK330RegisterImage::LoadImageFromDefaults() {
    for (int entry = 0; entry < Entries; ++entry) {
        if (entry == UnrestoredEntry) continue;
        CurrentImage[entry] = DefaultImage[entry];
        if (refresh_.entry) refresh_.entry(entry);
    }
    if (refresh_.wordsRestored) refresh_.wordsRestored();
}

}  // namespace qk
