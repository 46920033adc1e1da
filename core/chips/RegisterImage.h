#pragma once
#include <array>
#include <cstdint>

#include "core/chips/RegisterBus.h"

namespace qk {

// The one-byte register traffic that register windows of either generation share: a register's
// stored byte, image-first writes and read-backs, by sub-address.
class ByteRegisters {
  public:
    virtual uint8_t& Current(uint8_t subAddress) = 0;
    virtual uint8_t StoreAndWrite(uint8_t subAddress, uint8_t value) = 0;
    virtual uint8_t ReadAndStore(uint8_t subAddress) = 0;

  protected:
    ~ByteRegisters() = default;
};

// A chip's register bytes as the program knows them: what was last written or read
// (CurrentImage), what a restore returns to (DefaultImage), and each entry's sub-address.
// `Chip` maps entries to sub-addresses (static EntryOf, -1 for an address not held, and
// SubAddressOf). Callers store a value in CurrentImage first and pass the stored value on: image
// first, wire second; nothing is rolled back when a write is held back or fails.
template <typename Chip, int EntryCount>
class RegisterImage : public RegisterBus, public ByteRegisters {
  public:
    static constexpr int Entries = EntryCount;

    std::array<uint8_t, Entries> CurrentImage{};
    std::array<uint8_t, Entries> DefaultImage{};
    std::array<uint8_t, Entries> SubAddressTable{};

    // CurrentImage of the entry at a sub-address; throws for an address the image does not hold.
    uint8_t& Current(uint8_t subAddress) override { return CurrentImage.at(HeldEntry(subAddress)); }

    // The value goes into CurrentImage, then the stored byte to the chip (WriteRegister, so not
    // while MUTE ALL is engaged). Returns the stored byte.
    uint8_t StoreAndWrite(uint8_t subAddress, uint8_t value) override {
        return StoreThenWrite(subAddress, value, &RegisterBus::WriteRegister);
    }
    // The same through WriteRegisterAlways: only for the channel mute register.
    uint8_t StoreAndWriteAlways(uint8_t subAddress, uint8_t value) {
        return StoreThenWrite(subAddress, value, &RegisterBus::WriteRegisterAlways);
    }
    // ReadRegister into CurrentImage; returns the stored byte.
    uint8_t ReadAndStore(uint8_t subAddress) override {
        uint8_t& stored = Current(subAddress);
        stored = ReadRegister(subAddress);
        return stored;
    }

    void InitSubAddresses() {
        for (int entry = 0; entry < Entries; ++entry)
            SubAddressTable[entry] = Chip::SubAddressOf(entry);
    }

  protected:
    // The entry of a held sub-address; Entries (out of range) for any other.
    static int HeldEntry(uint8_t subAddress) {
        const int entry = Chip::EntryOf(subAddress);
        return entry < 0 ? Entries : entry;
    }

  private:
    uint8_t StoreThenWrite(uint8_t subAddress, uint8_t value,
                           void (RegisterBus::*write)(uint8_t, uint8_t)) {
        uint8_t& stored = Current(subAddress);
        stored = value;
        (this->*write)(subAddress, stored);
        return stored;
    }
};

}  // namespace qk
