#pragma once
#include <ftdi.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "tests/support/EmulatedFtdiDevice.h"
#include "tests/support/MpsseEngine.h"

// The emulated FTDI bridges' state, which the libftdi functions of EmulatedFtdi.cpp act on.
namespace qk::test::emulatedftdi {

// What a chip offers, known by its bcdDevice as libftdi knows it.
struct ChipModel {
    uint16_t bcdDevice;
    ftdi_chip_type type;
    int interfaces;
    int mpsseInterfaces;  // the first ones have an engine
    MpsseEngine::Kind kind;
};
const ChipModel& ModelOf(uint16_t bcdDevice);

// What ftdi_usb_find_all(ctx, list, 0, 0) looks for.
constexpr int FtdiVendor = 0x0403;
constexpr int DefaultProducts[] = {0x6001, 0x6010, 0x6011, 0x6014, 0x6015};

struct Interface {
    explicit Interface(MpsseEngine e) : engine(std::move(e)) {}
    MpsseEngine engine;
    bool claimed = false;
    int latencyMs = 16;
    bool written = false;  // since the last read
};

// One device plugged in. The libusb_device* and libusb_device_handle* handed out point here.
struct Record {
    EmulatedFtdiDevice device;
    const ChipModel* chip = nullptr;
    bool vanished = false;
    std::vector<Interface> interfaces;
};

struct Emulation {
    std::mutex mutex;
    bool installed = false;
    std::vector<std::unique_ptr<Record>> records;
    MpsseTrace trace;
    long vanishAfter = -1;  // command bytes left before the unplug; -1: never
    int64_t roundTripTicks = 0;
    long roundTrips = 0;
};

Emulation& TheEmulation();

// The record behind a device or handle handed out, if it still exists.
Record* FindRecord(Emulation& e, const void* handed);

struct Failure {
    int code;
    const char* text;
};
// As libftdi fails: the code, and the text kept in the context.
int Fail(ftdi_context* ftdi, Failure failure);

// libftdi's internal close: the handle goes, and with it the claim on the interface.
void Release(Emulation& e, ftdi_context* ftdi);
// The device leaves the bus: every pin floats, and every call on it fails.
void Unplug(Emulation& e, Record& record);

// Runs `action` on the interface an open context holds, under the emulation's lock. A context
// with no device open fails with `notOpen`; one whose device has left with `gone`.
template <typename Action>
int OnOpen(ftdi_context* ftdi, Failure notOpen, Failure gone, Action action) {
    Emulation& e = TheEmulation();
    std::lock_guard lock(e.mutex);
    if (!ftdi || !ftdi->usb_dev) return Fail(ftdi, notOpen);
    Record* record = FindRecord(e, ftdi->usb_dev);
    if (!record || record->vanished) return Fail(ftdi, gone);
    return action(e, *record, record->interfaces[static_cast<size_t>(ftdi->interface)]);
}

}  // namespace qk::test::emulatedftdi
