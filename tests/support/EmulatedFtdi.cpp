#include "tests/support/EmulatedFtdi.h"

#include <ftdi.h>
#include <libusb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "tests/support/EmulatedFtdiState.h"

// The libftdi and libusb functions below are defined in the object file of the class's
// constructor, so that a test executable that plugs bridges in links them too, and every call of
// its own and of its libraries reaches the emulation instead of libftdi1 (see
// tests/support/CMakeLists.txt). An executable that does not keeps libftdi1's.

namespace emu = qk::test::emulatedftdi;
using emu::Emulation;
using emu::Record;
using emu::TheEmulation;

namespace qk::test {

EmulatedFtdi::EmulatedFtdi(std::vector<Device> devices) {
    Emulation& e = TheEmulation();
    std::lock_guard lock(e.mutex);
    if (e.installed) {
        std::fprintf(stderr, "emulated FTDI devices: a second set while the first is plugged in\n");
        std::abort();
    }
    e.installed = true;
    e.trace = {};
    e.vanishAfter = -1;
    e.roundTripTicks = 0;
    e.roundTrips = 0;
    for (Device& device : devices) {
        auto record = std::make_unique<Record>();
        record->chip = &emu::ModelOf(device.bcdDevice);
        for (int n = 0; n < record->chip->interfaces; ++n)
            record->interfaces.emplace_back(MpsseEngine(
                record->chip->kind, n == device.wiredInterface ? device.pins : nullptr));
        record->device = std::move(device);
        e.records.push_back(std::move(record));
    }
}

EmulatedFtdi::~EmulatedFtdi() {
    Emulation& e = TheEmulation();
    std::lock_guard lock(e.mutex);
    e.records.clear();
    e.installed = false;
}

void EmulatedFtdi::VanishAfterBytes(long bytes) {
    std::lock_guard lock(TheEmulation().mutex);
    TheEmulation().vanishAfter = bytes;
}

void EmulatedFtdi::SetSdaInTied(bool tied) {
    std::lock_guard lock(TheEmulation().mutex);
    TheEmulation().trace.sdaInTied = tied;
}

void EmulatedFtdi::SetRoundTrip(std::chrono::microseconds modelled) {
    std::lock_guard lock(TheEmulation().mutex);
    TheEmulation().roundTripTicks = modelled.count() * MpsseTrace::TicksPerMicrosecond;
}

long EmulatedFtdi::RoundTrips() {
    std::lock_guard lock(TheEmulation().mutex);
    return TheEmulation().roundTrips;
}

long EmulatedFtdi::CommandBytes() {
    std::lock_guard lock(TheEmulation().mutex);
    return TheEmulation().trace.commandBytes;
}

double EmulatedFtdi::ModelledSeconds() {
    std::lock_guard lock(TheEmulation().mutex);
    return static_cast<double>(TheEmulation().trace.ticks) / MpsseTrace::TicksPerMicrosecond / 1e6;
}

board::WirePhases EmulatedFtdi::Phases() {
    std::lock_guard lock(TheEmulation().mutex);
    return TheEmulation().trace.phases;
}

std::vector<std::string> EmulatedFtdi::Failures() {
    std::lock_guard lock(TheEmulation().mutex);
    return TheEmulation().trace.failures;
}

}  // namespace qk::test

namespace {

// libftdi's texts that several functions give.
constexpr const char* Unavailable = "USB device unavailable";
constexpr const char* ClaimRefused =
    "unable to claim usb device. Make sure the default FTDI driver is not in use";
constexpr const char* BitmodeRefused =
    "unable to configure bitbang mode. Perhaps not a BM/2232C type chip?";

// As libusb_get_string_descriptor_ascii copies a string: cut to the buffer, always ended.
void CopyString(char* buffer, int size, const std::string& text) {
    if (buffer && size > 0) std::snprintf(buffer, static_cast<size_t>(size), "%s", text.c_str());
}

}  // namespace

extern "C" {

ftdi_context* ftdi_new(void) {
    auto* ftdi = static_cast<ftdi_context*>(std::calloc(1, sizeof(ftdi_context)));
    if (!ftdi) return nullptr;
    ftdi->usb_read_timeout = ftdi->usb_write_timeout = 5000;
    ftdi->type = TYPE_BM;
    ftdi->baudrate = -1;
    ftdi->readbuffer_chunksize = ftdi->writebuffer_chunksize = 4096;
    ftdi->bitbang_mode = 1;
    ftdi->module_detach_mode = AUTO_DETACH_SIO_MODULE;
    ftdi_set_interface(ftdi, INTERFACE_ANY);
    return ftdi;
}

void ftdi_free(ftdi_context* ftdi) {
    if (!ftdi) return;
    {
        Emulation& e = TheEmulation();
        std::lock_guard lock(e.mutex);
        emu::Release(e, ftdi);
    }
    std::free(ftdi);
}

const char* ftdi_get_error_string(ftdi_context* ftdi) {
    return ftdi ? ftdi->error_str : "";
}

int ftdi_set_interface(ftdi_context* ftdi, enum ftdi_interface interface) {
    if (!ftdi) return emu::Fail(ftdi, {-2, Unavailable});
    const int index = interface == INTERFACE_ANY ? INTERFACE_A : interface;
    if (ftdi->usb_dev && ftdi->index != index)
        return emu::Fail(ftdi, {-3, "Interface can not be changed on an already open device"});
    if (index < INTERFACE_A || index > INTERFACE_D)
        return emu::Fail(ftdi, {-1, "Unknown interface"});
    ftdi->interface = index - 1;
    ftdi->index = index;
    ftdi->in_ep = 2 * index;
    ftdi->out_ep = 0x80 | (2 * index - 1);
    return 0;
}

int ftdi_usb_find_all(ftdi_context* ftdi, ftdi_device_list** devlist, int vendor, int product) {
    Emulation& e = TheEmulation();
    std::lock_guard lock(e.mutex);
    *devlist = nullptr;
    ftdi_device_list** tail = devlist;
    int count = 0;
    for (const auto& record : e.records) {
        const auto& d = record->device;
        const bool wanted = (vendor || product)
                                ? d.vendor == vendor && d.product == product
                                : d.vendor == emu::FtdiVendor &&
                                      std::ranges::count(emu::DefaultProducts, d.product) > 0;
        if (!wanted || record->vanished) continue;
        auto* node = static_cast<ftdi_device_list*>(std::malloc(sizeof(ftdi_device_list)));
        if (!node) return emu::Fail(ftdi, {-3, "out of memory"});
        *node = {.next = nullptr, .dev = reinterpret_cast<libusb_device*>(record.get())};
        *tail = node;
        tail = &node->next;
        ++count;
    }
    return count;
}

void ftdi_list_free(ftdi_device_list** devlist) {
    for (ftdi_device_list* node = *devlist; node;) {
        ftdi_device_list* next = node->next;
        std::free(node);
        node = next;
    }
    *devlist = nullptr;
}

int ftdi_usb_get_strings(ftdi_context* ftdi, libusb_device* dev, char* manufacturer, int mnf_len,
                         char* description, int desc_len, char* serial, int serial_len) {
    if (!ftdi || !dev) return -1;
    Emulation& e = TheEmulation();
    std::lock_guard lock(e.mutex);
    const Record* record = emu::FindRecord(e, dev);
    if (!record || record->vanished ||
        record->device.access == qk::test::EmulatedFtdi::Device::Access::Forbidden)
        return emu::Fail(ftdi, {-4, "libusb_open() failed"});
    CopyString(manufacturer, mnf_len, record->device.manufacturer);
    CopyString(description, desc_len, record->device.description);
    CopyString(serial, serial_len, record->device.serial);
    emu::Release(e, ftdi);  // libftdi closes the context's device after reading them
    return 0;
}

int ftdi_usb_open_dev(ftdi_context* ftdi, libusb_device* dev) {
    using Access = qk::test::EmulatedFtdi::Device::Access;
    if (!ftdi) return emu::Fail(ftdi, {-8, "ftdi context invalid"});
    Emulation& e = TheEmulation();
    std::lock_guard lock(e.mutex);
    Record* record = emu::FindRecord(e, dev);
    if (!record) return emu::Fail(ftdi, {-9, "libusb_get_device_descriptor() failed"});
    if (record->vanished) return emu::Fail(ftdi, {-4, "libusb_open() failed"});
    if (record->device.access == Access::Forbidden)
        return emu::Fail(ftdi, {-8, "inappropriate permissions on device!"});
    if (ftdi->interface >= record->chip->interfaces ||
        record->device.access == Access::HeldBySerialDriver ||
        record->interfaces[static_cast<size_t>(ftdi->interface)].claimed)
        return emu::Fail(ftdi, {-5, ClaimRefused});
    emu::Interface& interface = record->interfaces[static_cast<size_t>(ftdi->interface)];
    interface.claimed = true;
    interface.engine.Purge();  // the open resets the chip
    ftdi->usb_dev = reinterpret_cast<libusb_device_handle*>(record);
    ftdi->type = record->chip->type;
    ftdi->max_packet_size = ftdi->type == TYPE_2232C || ftdi->type == TYPE_BM ? 64 : 512;
    ftdi->baudrate = 9600;
    return emu::Fail(ftdi, {0, "all fine"});
}

int ftdi_usb_close(ftdi_context* ftdi) {
    if (!ftdi) return emu::Fail(ftdi, {-3, "ftdi context invalid"});
    Emulation& e = TheEmulation();
    std::lock_guard lock(e.mutex);
    const Record* record = ftdi->usb_dev ? emu::FindRecord(e, ftdi->usb_dev) : nullptr;
    // Releasing the interface of a device that has left fails.
    const int result = ftdi->usb_dev && (!record || record->vanished) ? -1 : 0;
    emu::Release(e, ftdi);
    return result;
}

int ftdi_usb_reset(ftdi_context* ftdi) {
    return emu::OnOpen(ftdi, {-2, Unavailable}, {-1, "FTDI reset failed"},
                       [](Emulation&, Record&, emu::Interface& interface) {
                           interface.engine.Purge();
                           return 0;
                       });
}

int ftdi_tcioflush(ftdi_context* ftdi) {
    return emu::OnOpen(ftdi, {-3, Unavailable}, {-1, "FTDI purge of TX buffer failed"},
                       [](Emulation&, Record&, emu::Interface& interface) {
                           interface.engine.Purge();
                           return 0;
                       });
}

int ftdi_set_latency_timer(ftdi_context* ftdi, unsigned char latency) {
    if (latency < 1) return emu::Fail(ftdi, {-1, "latency out of range. Only valid for 1-255"});
    return emu::OnOpen(ftdi, {-3, Unavailable}, {-2, "unable to set latency timer"},
                       [&](Emulation&, Record&, emu::Interface& interface) {
                           interface.latencyMs = latency;
                           return 0;
                       });
}

int ftdi_set_bitmode(ftdi_context* ftdi, unsigned char bitmask, unsigned char mode) {
    (void)bitmask;  // MPSSE mode sets the directions with its own commands
    return emu::OnOpen(ftdi, {-2, Unavailable}, {-1, BitmodeRefused},
                       [&](Emulation& e, Record& record, emu::Interface& interface) {
                           const bool mpsse = mode == BITMODE_MPSSE;
                           if (mpsse && ftdi->interface >= record.chip->mpsseInterfaces)
                               return emu::Fail(ftdi, {-1, BitmodeRefused});
                           ftdi->bitbang_mode = mode;
                           ftdi->bitbang_enabled = mode != BITMODE_RESET;
                           interface.engine.SetMpsse(mpsse, e.trace);
                           return 0;
                       });
}

int ftdi_write_data(ftdi_context* ftdi, const unsigned char* buf, int size) {
    return emu::OnOpen(ftdi, {-666, Unavailable}, {-1, "usb bulk write failed"},
                       [&](Emulation& e, Record& record, emu::Interface& interface) {
                           if (size <= 0) return 0;
                           interface.written = true;
                           if (!interface.engine.InMpsseMode())
                               return size;  // for the serial port: lost
                           const long run =
                               e.vanishAfter >= 0 ? std::min<long>(size, e.vanishAfter) : size;
                           interface.engine.Execute(buf, static_cast<size_t>(run), e.trace);
                           e.trace.commandBytes += run;
                           if (e.vanishAfter >= 0 && (e.vanishAfter -= run) == 0) {
                               e.vanishAfter = -1;
                               emu::Unplug(e, record);
                               if (run < size)
                                   return emu::Fail(ftdi, {-1, "usb bulk write failed"});
                           }
                           return size;
                       });
}

int ftdi_read_data(ftdi_context* ftdi, unsigned char* buf, int size) {
    const emu::Failure notOpen{-666, Unavailable}, gone{-4, "usb bulk read failed"};
    const auto take = [&](emu::Interface& interface) {
        return static_cast<int>(interface.engine.Take(buf, static_cast<size_t>(std::max(size, 0))));
    };
    int latencyMs = 0;
    const int answered =
        emu::OnOpen(ftdi, notOpen, gone, [&](Emulation& e, Record&, emu::Interface& interface) {
            if (interface.written) {
                interface.written = false;
                ++e.roundTrips;
                e.trace.ticks += e.roundTripTicks;
            }
            if (interface.engine.Sendable() == 0) latencyMs = interface.latencyMs;
            return take(interface);
        });
    if (answered != 0 || latencyMs == 0 || size <= 0) return answered;
    // Nothing has come: the chip sends what it has when its latency timer runs out.
    std::this_thread::sleep_for(std::chrono::milliseconds(latencyMs));
    return emu::OnOpen(ftdi, notOpen, gone, [&](Emulation& e, Record&, emu::Interface& interface) {
        if (interface.engine.Sendable() == 0 && interface.engine.Waiting() > 0) {
            interface.engine.SendAll();
            e.trace.ticks += int64_t{latencyMs} * 1000 * qk::test::MpsseTrace::TicksPerMicrosecond;
        }
        return take(interface);
    });
}

int LIBUSB_CALL libusb_get_device_descriptor(libusb_device* dev,
                                             struct libusb_device_descriptor* desc) {
    Emulation& e = TheEmulation();
    std::lock_guard lock(e.mutex);
    const Record* record = emu::FindRecord(e, dev);
    if (!record) return LIBUSB_ERROR_NOT_FOUND;
    *desc = {.bLength = LIBUSB_DT_DEVICE_SIZE,
             .bDescriptorType = LIBUSB_DT_DEVICE,
             .bcdUSB = 0x0200,
             .bDeviceClass = 0,  // each interface says its own
             .bDeviceSubClass = 0,
             .bDeviceProtocol = 0,
             .bMaxPacketSize0 = 64,
             .idVendor = record->device.vendor,
             .idProduct = record->device.product,
             .bcdDevice = record->device.bcdDevice,
             .iManufacturer = 1,
             .iProduct = 2,
             .iSerialNumber = 3,
             .bNumConfigurations = 1};
    return LIBUSB_SUCCESS;
}

uint8_t LIBUSB_CALL libusb_get_bus_number(libusb_device* dev) {
    Emulation& e = TheEmulation();
    std::lock_guard lock(e.mutex);
    const Record* record = emu::FindRecord(e, dev);
    return record ? record->device.bus : 0;
}

uint8_t LIBUSB_CALL libusb_get_device_address(libusb_device* dev) {
    Emulation& e = TheEmulation();
    std::lock_guard lock(e.mutex);
    const Record* record = emu::FindRecord(e, dev);
    return record ? record->device.address : 0;
}

}  // extern "C"
