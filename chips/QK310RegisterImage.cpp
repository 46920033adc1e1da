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

uint8_t& QK310RegisterImage::Current(uint8_t subAddress) {
    const int entry = EntryOf(subAddress);
    return CurrentImage.at(entry < 0 ? Entries : entry);  // throws for an address not held
}

uint8_t QK310RegisterImage::DeviceAddress() const {
    return wiring_.deviceAddress ? wiring_.deviceAddress() : 0x34;
}

void QK310RegisterImage::WriteRegister(uint8_t subAddress, uint8_t value) {
    if (wiring_.muteAllEngaged && wiring_.muteAllEngaged()) return;
    WriteRegisterAlways(subAddress, value);
}

void QK310RegisterImage::WriteRegisterAlways(uint8_t subAddress, uint8_t value) {
    if (!wiring_.bus) return;
    const uint8_t frame[] = {subAddress, value};
    wiring_.bus->I2cWrite(DeviceAddress(), frame, 2);
}

uint8_t QK310RegisterImage::ReadRegister(uint8_t subAddress) {
    uint8_t value = 0;
    if (wiring_.bus) wiring_.bus->I2cRead(DeviceAddress(), subAddress, &value, 1);
    return value;
}

uint8_t QK310RegisterImage::StoreAndWrite(uint8_t subAddress, uint8_t value) {
    return StoreThenWrite(subAddress, value, &QK310RegisterImage::WriteRegister);
}

uint8_t QK310RegisterImage::StoreAndWriteAlways(uint8_t subAddress, uint8_t value) {
    return StoreThenWrite(subAddress, value, &QK310RegisterImage::WriteRegisterAlways);
}

uint8_t QK310RegisterImage::StoreThenWrite(uint8_t subAddress, uint8_t value,
                                           void (QK310RegisterImage::*write)(uint8_t, uint8_t)) {
    uint8_t& stored = Current(subAddress);
    stored = value;
    (this->*write)(subAddress, stored);
    return stored;
}

uint8_t QK310RegisterImage::ReadAndStore(uint8_t subAddress) {
    uint8_t& stored = Current(subAddress);
    stored = ReadRegister(subAddress);
    return stored;
}

void QK310RegisterImage::InitSubAddresses() {
    for (int entry = 0; entry < Entries; ++entry) SubAddressTable[entry] = SubAddressOf(entry);
}

void QK310RegisterImage::RestoreRegister(int entry) {
    CurrentImage.at(entry) = DefaultImage.at(entry);
    if (wiring_.refresh) wiring_.refresh(entry);
}

void QK310RegisterImage::LoadImageFromDefaults() {
    for (int entry = 0; entry < Entries; ++entry) RestoreRegister(entry);
}

}  // namespace qk
