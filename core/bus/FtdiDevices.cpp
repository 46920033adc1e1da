#include "core/bus/FtdiDevices.h"

#include <ftdi.h>
#include <libusb.h>

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace qk {

namespace {

constexpr int SerialLength = 128;

const FtdiChip* ChipOfRelease(uint16_t release) {
    for (const FtdiChip& chip : kFtdiChips)
        if (chip.release == release) return &chip;
    return nullptr;
}

std::string Printf(const char* format, auto... values) {
    char text[128];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

bool ParseNumber(const std::string& text, int base, int limit, int& number) {
    if (text.empty() || text.size() > 5) return false;
    for (char c : text)
        if (!(base == 16 ? std::isxdigit(static_cast<unsigned char>(c))
                         : std::isdigit(static_cast<unsigned char>(c))))
            return false;
    number = std::stoi(text, nullptr, base);
    return number <= limit;
}

std::string WithoutHexPrefix(const std::string& text) {
    return text.starts_with("0x") || text.starts_with("0X") ? text.substr(2) : text;
}

char ChannelLetter(char c) {
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper >= 'A' && upper <= 'D' ? upper : 0;
}

bool Matches(const FtdiDevice& device, const FtdiSelector& selector) {
    return (selector.serial.empty() || device.serial == selector.serial) &&
           (!selector.vendor ||
            (device.vendor == *selector.vendor && device.product == *selector.product)) &&
           (!selector.bus || (device.bus == *selector.bus && device.address == *selector.address));
}

std::string ChoiceLines(const std::vector<const FtdiDevice*>& devices) {
    std::string lines;
    for (const FtdiDevice* device : devices)
        lines += "\n  --ftdi " + device->Selector('A') + "\t" + device->Description();
    return lines;
}

}  // namespace

std::string FtdiDevice::Description() const {
    std::string text = chip ? chip->name : Printf("FTDI device (release %04x)", release);
    text += serial.empty() ? " serial unreadable (" + serialProblem + ")" : " serial " + serial;
    return text + Printf(" %04x:%04x bus %03d device %03d", vendor, product, bus, address);
}

std::string FtdiDevice::Selector(char channel) const {
    std::string text = serial.empty() ? Printf("%03d/%03d", bus, address) : serial;
    if (chip && chip->mpsseChannels > 1) text += std::string(":") + channel;
    return text;
}

bool ParseFtdiSelector(const std::string& text, FtdiSelector& selector, std::string& error) {
    selector = {};
    std::string device = text;
    if (device.size() == 1 && ChannelLetter(device[0])) {
        selector.channel = ChannelLetter(device[0]);
        return true;
    }
    if (device.size() > 2 && device[device.size() - 2] == ':' && ChannelLetter(device.back())) {
        selector.channel = ChannelLetter(device.back());
        device.resize(device.size() - 2);
    }
    if (device.empty()) return true;
    if (const size_t slash = device.find('/'); slash != std::string::npos) {
        int bus = 0, address = 0;
        if (!ParseNumber(device.substr(0, slash), 10, 255, bus) ||
            !ParseNumber(device.substr(slash + 1), 10, 127, address)) {
            error = "'" + text +
                    "': a bus and device are two decimal numbers, as lsusb shows "
                    "them (001/005)";
            return false;
        }
        selector.bus = bus;
        selector.address = address;
        return true;
    }
    if (const size_t colon = device.find(':'); colon != std::string::npos) {
        int vendor = 0, product = 0;
        if (!ParseNumber(WithoutHexPrefix(device.substr(0, colon)), 16, 0xFFFF, vendor) ||
            !ParseNumber(WithoutHexPrefix(device.substr(colon + 1)), 16, 0xFFFF, product)) {
            error = "'" + text +
                    "': a product is VID:PID in hex, as lsusb shows it (0403:6014); "
                    "a channel is :A to :D";
            return false;
        }
        selector.vendor = static_cast<uint16_t>(vendor);
        selector.product = static_cast<uint16_t>(product);
        return true;
    }
    for (char c : device)
        if (!std::isgraph(static_cast<unsigned char>(c))) {
            error = "'" + text + "': a serial number has no spaces or control characters";
            return false;
        }
    selector.serial = device;
    return true;
}

FtdiScan::FtdiScan(ftdi_context* context, const FtdiSelector& selector) : context_(context) {
    const int found = ftdi_usb_find_all(context_, &list_, selector.vendor.value_or(0),
                                        selector.product.value_or(0));
    if (found < 0) {
        error_ =
            std::string("the USB devices could not be listed: ") + ftdi_get_error_string(context_);
        return;
    }
    for (ftdi_device_list* entry = list_; entry; entry = entry->next) {
        FtdiDevice device;
        device.usb = entry->dev;
        libusb_device_descriptor descriptor{};
        if (libusb_get_device_descriptor(entry->dev, &descriptor) < 0) continue;
        device.vendor = descriptor.idVendor;
        device.product = descriptor.idProduct;
        device.release = descriptor.bcdDevice;
        device.chip = ChipOfRelease(descriptor.bcdDevice);
        device.bus = libusb_get_bus_number(entry->dev);
        device.address = libusb_get_device_address(entry->dev);
        char serial[SerialLength] = {};
        if (ftdi_usb_get_strings(context_, entry->dev, nullptr, 0, nullptr, 0, serial,
                                 SerialLength) < 0)
            device.serialProblem = "permission denied: see the udev rule";
        else
            device.serial = serial;
        if (!device.chip) ++others_;
        devices_.push_back(device);
    }
}

FtdiScan::~FtdiScan() {
    if (list_) ftdi_list_free(&list_);
}

std::string NoFtdiDeviceText() {
    return "No FTDI MPSSE device found (FT232H, FT2232H, FT4232H): plug one in; lsusb lists it "
           "as 0403:6014, 0403:6010 or 0403:6011.";
}

const FtdiDevice* FtdiScan::Choose(const FtdiSelector& selector, const std::string& text,
                                   std::string& error) const {
    std::vector<const FtdiDevice*> engines, matching;
    for (const FtdiDevice& device : devices_) {
        if (device.chip) engines.push_back(&device);
        if (Matches(device, selector)) matching.push_back(&device);
    }
    if (matching.size() > 1) std::erase_if(matching, [](auto* d) { return !d->chip; });
    if (matching.empty()) {
        if (engines.empty()) {
            error = NoFtdiDeviceText();
            if (others_ > 0)
                error += Printf(" (%d FTDI device%s without such an engine found.)", others_,
                                others_ == 1 ? "" : "s");
            return nullptr;
        }
        error = "No FTDI MPSSE device matches '" + text + "'. Present:" + ChoiceLines(engines);
        return nullptr;
    }
    if (matching.size() > 1) {
        error = "Several FTDI MPSSE devices are present: choose one with --ftdi SELECTOR:" +
                ChoiceLines(matching);
        return nullptr;
    }
    const FtdiDevice* device = matching.front();
    if (!device->chip) {
        error = "The " + device->Description() +
                " is not an FT232H, FT2232H or FT4232H: its engine cannot clock I2C in three "
                "phases from 60 MHz.";
        return nullptr;
    }
    const int channel = selector.channel ? selector.channel - 'A' : 0;
    if (channel >= device->chip->mpsseChannels) {
        error = std::string("The ") + device->chip->name + " has its MPSSE engine on channel A" +
                (device->chip->mpsseChannels > 1 ? " and B only" : " only") + ", not on " +
                selector.channel + ".";
        return nullptr;
    }
    return device;
}

std::string FtdiScan::Listing() const {
    std::string lines;
    for (const FtdiDevice& device : devices_) {
        if (!device.chip) continue;
        for (int channel = 0; channel < device.chip->mpsseChannels; ++channel) {
            const char letter = static_cast<char>('A' + channel);
            std::string description = device.Description();
            if (device.chip->mpsseChannels > 1) description += std::string(" channel ") + letter;
            lines += "ftdi\t" + description + "\t--ftdi " + device.Selector(letter) + "\n";
        }
    }
    return lines;
}

}  // namespace qk
