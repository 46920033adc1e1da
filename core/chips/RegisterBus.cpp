#include "core/chips/RegisterBus.h"

namespace qk {

namespace {
constexpr uint8_t DefaultDeviceAddress = 0x34;
}

uint8_t RegisterBus::DeviceAddress() const {
    return wiring_.deviceAddress ? wiring_.deviceAddress() : DefaultDeviceAddress;
}

void RegisterBus::Write(const uint8_t* frame, int count) {
    if (wiring_.bus && !Silenced()) wiring_.bus->I2cWrite(DeviceAddress(), frame, count);
}

void RegisterBus::WriteRegister(uint8_t subAddress, uint8_t value) {
    if (!Muted()) WriteRegisterAlways(subAddress, value);
}

void RegisterBus::WriteRegisterAlways(uint8_t subAddress, uint8_t value) {
    const uint8_t frame[] = {subAddress, value};
    Write(frame, 2);
}

void RegisterBus::WriteRegisterWord(uint8_t subAddress, uint8_t high, uint8_t low) {
    if (!Muted()) WriteRegisterWordAlways(subAddress, high, low);
}

void RegisterBus::WriteRegisterWordAlways(uint8_t subAddress, uint8_t high, uint8_t low) {
    const uint8_t frame[] = {subAddress, high, low};
    Write(frame, 3);
}

uint8_t RegisterBus::ReadRegister(uint8_t subAddress) {
    uint8_t value = 0;
    if (wiring_.bus) wiring_.bus->I2cRead(DeviceAddress(), subAddress, &value, 1);
    return value;
}

}  // namespace qk
