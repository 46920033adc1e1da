#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct ftdi_context;
struct ftdi_device_list;
struct libusb_device;

namespace qk {

// What --ftdi and --ftdi-fast do, as every program's help says it.
inline constexpr const char* kFtdiOptionHelp =
    "an FTDI bridge's MPSSE engine (FT232H, FT2232H, FT4232H): the only one present, or "
    "SELECTOR: its serial number, VID:PID or BUS/DEVICE, and :A..:D for a channel";
inline constexpr const char* kFtdiFastOptionHelp =
    "with --ftdi: the standard's fast mode (400 kHz at most; 256 kHz with the three-phase "
    "clock) for chips that take it";

// The FTDI chips with an MPSSE engine that clocks in three phases from 60 MHz, by the device
// release number their USB descriptor gives.
struct FtdiChip {
    uint16_t release;  // bcdDevice
    const char* name;
    int mpsseChannels;  // A, then B
    bool driveZero;     // pins that drive 0 and float for 1 (open drain)
};
inline constexpr FtdiChip kFtdiChips[] = {
    {.release = 0x0900, .name = "FT232H", .mpsseChannels = 1, .driveZero = true},
    {.release = 0x0700, .name = "FT2232H", .mpsseChannels = 2, .driveZero = false},
    {.release = 0x0800, .name = "FT4232H", .mpsseChannels = 2, .driveZero = false},
};
inline constexpr uint16_t kFtdiVendor = 0x0403;

// One FTDI bridge found on the USB.
struct FtdiDevice {
    const FtdiChip* chip = nullptr;  // null: no engine this program can drive
    uint16_t release = 0;
    uint16_t vendor = 0, product = 0;
    int bus = 0, address = 0;
    std::string serial;         // empty when it could not be read
    std::string serialProblem;  // why not
    libusb_device* usb = nullptr;

    // "FT232H serial FT6ZQ1AB 0403:6014 bus 001 device 005"
    std::string Description() const;
    // What --ftdi takes to choose this device's channel: the serial number, or bus/device when the
    // serial cannot be read; the channel appended for a chip with two.
    std::string Selector(char channel) const;
};

// A --ftdi selector: a serial number, VID:PID (hex), BUS/DEVICE (decimal, as lsusb shows them),
// or nothing; any of them may end in ":A".."D" (the channel), which may also stand alone.
struct FtdiSelector {
    std::string serial;
    std::optional<uint16_t> vendor, product;
    std::optional<int> bus, address;
    char channel = 0;  // 0: A
};
// False, with `error` said for the user, for a selector no device can have.
bool ParseFtdiSelector(const std::string& text, FtdiSelector& selector, std::string& error);

// The FTDI bridges libftdi finds while this lives: libftdi's default products, or the selector's
// VID:PID.
class FtdiScan {
  public:
    FtdiScan(ftdi_context* context, const FtdiSelector& selector = {});
    ~FtdiScan();
    FtdiScan(const FtdiScan&) = delete;
    FtdiScan& operator=(const FtdiScan&) = delete;

    // Why the search failed (the USB library could not start); empty when it did not.
    const std::string& Error() const { return error_; }
    // The devices with an engine, in the order found; and how many others were found.
    const std::vector<FtdiDevice>& Devices() const { return devices_; }
    int Others() const { return others_; }

    // The one device `selector` names, or null with `error` said (none, or several: each listed
    // with its selector).
    const FtdiDevice* Choose(const FtdiSelector& selector, const std::string& text,
                             std::string& error) const;
    // One line per channel for --list-adapters: "ftdi", the description, "--ftdi SELECTOR".
    std::string Listing() const;

  private:
    ftdi_context* context_;
    ftdi_device_list* list_ = nullptr;
    std::vector<FtdiDevice> devices_;
    int others_ = 0;
    std::string error_;
};

// What to say when no FTDI bridge with an engine is present.
std::string NoFtdiDeviceText();

}  // namespace qk
