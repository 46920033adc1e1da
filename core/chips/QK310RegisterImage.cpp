#include "core/chips/QK310RegisterImage.h"

#include "core/chips/QK310RegisterMap.h"

namespace qk {

const std::array<uint8_t, QK310RegisterImage::Entries> QK310PowerOnDefaults =
    PowerOnValues(kQK310Registers);

const std::array<uint8_t, QK310RegisterImage::Entries> QK320PowerOnDefaults = [] {
    auto table = QK310PowerOnDefaults;
    table[0] = kQK320GeneralStatusPowerOn;
    return table;
}();

namespace {

// Entries 0..25 are sub-addresses 00h..19h, entry and sub-address alike; the last three entries
// are 1Dh..1Fh (1Ah..1Ch are not used).
constexpr int kLastLowRegister = QK310RegisterImage::ChannelMuteRegister;
constexpr int kFirstHighRegister = 0x1D;
constexpr int kFirstHighEntry = kLastLowRegister + 1;

}  // namespace

int QK310RegisterImage::EntryOf(uint8_t subAddress) {
    if (subAddress <= kLastLowRegister) return subAddress;
    const int entry = subAddress - kFirstHighRegister + kFirstHighEntry;
    if (subAddress >= kFirstHighRegister && entry < Entries) return entry;
    return -1;
}

uint8_t QK310RegisterImage::SubAddressOf(int entry) {
    return static_cast<uint8_t>(
        entry < kFirstHighEntry ? entry : kFirstHighRegister + entry - kFirstHighEntry);
}

void QK310RegisterImage::RestoreRegister(int entry) {
    CurrentImage.at(entry) = DefaultImage.at(entry);
    if (refresh_) refresh_(entry);
}

void QK310RegisterImage::LoadImageFromDefaults() {
    for (int entry = 0; entry < Entries; ++entry) RestoreRegister(entry);
}

}  // namespace qk
