#include "core/bus/I2cMaster.h"

#include <algorithm>
#include <vector>

namespace qk {

// Every report is told, the repeats too (firstOfKind false); the kind's flag is set once all
// listeners have returned, so that the state reads as before the error while a dialog is open.
void I2cMaster::Report(BusErrorEvent::Kind kind, bool& flag, const std::string& text,
                       int unacknowledgedByte) {
    if (!listeners_.empty()) {
        const BusErrorEvent event{.kind = kind,
                                  .address = aimAddress_,
                                  .subAddress = aimSubAddress_,
                                  .text = text,
                                  .firstOfKind = !flag,
                                  .probing = probing_,
                                  .unacknowledgedByte = unacknowledgedByte};
        // A copy: a listener may remove itself while it is told.
        const std::vector<BusErrorListener*> listeners = listeners_;
        for (BusErrorListener* listener : listeners) listener->OnBusError(event);
    }
    flag = true;
}

void I2cMaster::Aim(uint8_t address, const uint8_t* subAddress) {
    aimAddress_ = address;
    aimSubAddress_ = subAddress ? std::optional<uint8_t>(*subAddress) : std::nullopt;
}

void I2cMaster::SendAddressedFrame(uint8_t address, uint8_t subAddress, const uint8_t* bytes,
                                   int count) {
    std::vector<uint8_t> frame{static_cast<uint8_t>(address & 0xFE), subAddress};
    frame.insert(frame.end(), bytes, bytes + count);
    SendWriteFrame(frame.data(), static_cast<int>(frame.size()));
}

void I2cMaster::LogFrame(uint8_t address, const uint8_t* subAddress, const uint8_t* bytes,
                         int count) {
    log_.LogMarker('{');
    log_.LogByte(address);
    if (subAddress) log_.LogByte(*subAddress);
    for (int i = 0; i < count; ++i) log_.LogByte(bytes[i]);
    log_.LogMarker('}');
}

void I2cMaster::AddFrameObserver(FrameObserver* observer) {
    if (std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
        observers_.push_back(observer);
}

void I2cMaster::RemoveFrameObserver(FrameObserver* observer) {
    std::erase(observers_, observer);
}

void I2cMaster::AddBusErrorListener(BusErrorListener* listener) {
    if (std::find(listeners_.begin(), listeners_.end(), listener) == listeners_.end())
        listeners_.push_back(listener);
}

void I2cMaster::RemoveBusErrorListener(BusErrorListener* listener) {
    std::erase(listeners_, listener);
}

void I2cMaster::Tell(FrameRecord::Kind kind, uint8_t address, const uint8_t* subAddress,
                     const uint8_t* bytes, int count, const uint8_t* read, int readCount) {
    if (observers_.empty()) return;
    FrameRecord frame{.kind = kind,
                      .address = address,
                      .bytes = {},
                      .read = {},
                      .offLine = offLine_ && kind != FrameRecord::Kind::Probe,
                      .ackError = ackError_,
                      .waitError = waitError_,
                      .otherError = otherError_};
    if (subAddress) frame.bytes.push_back(*subAddress);
    frame.bytes.insert(frame.bytes.end(), bytes, bytes + count);
    if (read) frame.read.assign(read, read + readCount);
    // A copy: an observer may remove itself while it is told.
    const std::vector<FrameObserver*> observers = observers_;
    for (FrameObserver* observer : observers) observer->OnFrame(frame);
}

bool I2cMaster::I2cWrite(uint8_t address, const uint8_t* bytes, int count) {
    const LongOperation busy(*this);
    // A write frame's first byte after the address is the register.
    Aim(address, count > 0 ? bytes : nullptr);
    if (!offLine_) {
        std::vector<uint8_t> frame{address};
        frame.insert(frame.end(), bytes, bytes + count);
        SendWriteFrame(frame.data(), static_cast<int>(frame.size()));
    }
    LogFrame(address, nullptr, bytes, count);
    Tell(FrameRecord::Kind::Write, address, nullptr, bytes, count);
    return ErrorFree();
}

bool I2cMaster::I2cWriteSub(uint8_t address, uint8_t subAddress, const uint8_t* bytes, int count) {
    const LongOperation busy(*this);
    const bool wire = !offLine_;
    Aim(address & 0xFE, &subAddress);
    if (wire) SendAddressedFrame(address, subAddress, bytes, count);
    const uint8_t sent = wire ? (address & 0xFE) : address;
    LogFrame(sent, &subAddress, bytes, count);
    Tell(FrameRecord::Kind::Write, sent, &subAddress, bytes, count);
    return ErrorFree();
}

bool I2cMaster::I2cRead(uint8_t address, uint8_t subAddress, uint8_t* buffer, int count) {
    const LongOperation busy(*this);
    I2cWriteSub(address, subAddress, nullptr, 0);
    for (int i = 0; i < count; ++i) buffer[i] = 0;
    if (offLine_) return ErrorFree();
    Aim(address | 0x01, &subAddress);
    ReceiveReadFrame(address | 0x01, buffer, count);
    Tell(FrameRecord::Kind::Read, address | 0x01, nullptr, nullptr, 0, buffer, count);
    return ErrorFree();
}

bool I2cMaster::I2cProbe(uint8_t address, uint8_t subAddress, const uint8_t* bytes, int count) {
    const LongOperation busy(*this);
    probing_ = true;
    Aim(address & 0xFE, &subAddress);
    SendAddressedFrame(address, subAddress, bytes, count);
    probing_ = false;
    Tell(FrameRecord::Kind::Probe, address & 0xFE, &subAddress, bytes, count);
    return ErrorFree();
}

void I2cMaster::I2cResetErrors() {
    probing_ = false;
    ackError_ = false;
    waitError_ = false;
    otherError_ = false;
    ResetMasterErrors();
}

}  // namespace qk
