#include "chips/QK310RegisterImage.h"

namespace qk {

const std::array<uint8_t, QK310RegisterImage::Entries> QK310PowerOnDefaults = {
    0x26, 0x00, 0x05, 0x7E, 0xFF, 0x00,  // 00h..05h
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // DC offsets 06h..0Bh
    0x00, 0x10, 0x20, 0x30, 0x40, 0x50,  // delays 0Ch..11h
    0x0B,                                // ABD delay 12h
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // channel volumes 13h..18h
    0xFF,                                // channel mute 19h
    0x33, 0x00, 0x00,                    // 1Dh..1Fh
};

const std::array<uint8_t, QK310RegisterImage::Entries> QK320PowerOnDefaults = [] {
    auto table = QK310PowerOnDefaults;
    table[0] = 0x36;
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
