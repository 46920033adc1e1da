#include "tests/support/EmulatedFtdiState.h"

namespace qk::test {
namespace emulatedftdi {
namespace {

constexpr ChipModel Chips[] = {
    {0x0500, TYPE_2232C, 2, 2, MpsseEngine::Kind::FT2232D},
    {0x0700, TYPE_2232H, 2, 2, MpsseEngine::Kind::FT2232H},
    {0x0800, TYPE_4232H, 4, 2, MpsseEngine::Kind::FT2232H},
    {0x0900, TYPE_232H, 1, 1, MpsseEngine::Kind::FT232H},
};
constexpr ChipModel ChipWithoutEngine{0, TYPE_BM, 1, 0, MpsseEngine::Kind::FT2232D};

}  // namespace

const ChipModel& ModelOf(uint16_t bcdDevice) {
    for (const ChipModel& chip : Chips)
        if (chip.bcdDevice == bcdDevice) return chip;
    return ChipWithoutEngine;
}

Emulation& TheEmulation() {
    static Emulation emulation;
    return emulation;
}

Record* FindRecord(Emulation& e, const void* handed) {
    for (const auto& record : e.records)
        if (record.get() == handed) return record.get();
    return nullptr;
}

int Fail(ftdi_context* ftdi, Failure failure) {
    if (ftdi) ftdi->error_str = failure.text;
    return failure.code;
}

void Release(Emulation& e, ftdi_context* ftdi) {
    if (!ftdi->usb_dev) return;
    if (Record* record = FindRecord(e, ftdi->usb_dev))
        record->interfaces[static_cast<size_t>(ftdi->interface)].claimed = false;
    ftdi->usb_dev = nullptr;
}

void Unplug(Emulation& e, Record& record) {
    record.vanished = true;
    for (Interface& interface : record.interfaces) interface.engine.Unpower(e.trace);
}

}  // namespace emulatedftdi
}  // namespace qk::test
