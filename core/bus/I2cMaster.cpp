#include "core/bus/I2cMaster.h"

#include <algorithm>
#include <vector>

namespace qk {

// The first report of an error kind takes the first free status line (the second when the other
// kind came first) and, unless probing, opens its dialog once until I2cResetErrors.
void I2cMaster::Report(const ErrorKind& kind) {
    if (kind.flag == 0) {
        if (kind.otherFlag == 1)
            errors_.ShowSecondErrorLine(kind.text);
        else
            errors_.ShowFirstErrorLine(kind.text);
        if (kind.onRedLine) errors_.ShowErrorLine(kind.text);
        if (kind.dialogCount == 0) {
            if (!Probing) (errors_.*kind.showDialog)();
            ++kind.dialogCount;
        }
    }
    kind.flag = 1;
}

void I2cMaster::ReportAckError() {
    Report({.flag = AckErrorFlag,
            .otherFlag = WaitErrorFlag,
            .text = AckErrorText,
            .dialogCount = AckDialogCount,
            .showDialog = &I2cErrorSink::ShowAckErrorDialog,
            .onRedLine = true});
}

void I2cMaster::ReportWaitError() {
    Report({.flag = WaitErrorFlag,
            .otherFlag = AckErrorFlag,
            .text = WaitErrorText,
            .dialogCount = WaitDialogCount,
            .showDialog = &I2cErrorSink::ShowWaitErrorDialog,
            .onRedLine = false});
}

void I2cMaster::ReportOtherError(const std::string& text) {
    if (OtherErrorFlag == 0) errors_.ShowErrorLine(text);
    OtherErrorFlag = 1;
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

void I2cMaster::Tell(FrameRecord::Kind kind, uint8_t address, const uint8_t* subAddress,
                     const uint8_t* bytes, int count, const uint8_t* read, int readCount) {
    if (observers_.empty()) return;
    FrameRecord frame{.kind = kind,
                      .address = address,
                      .bytes = {},
                      .read = {},
                      .offLine = OffLine && kind != FrameRecord::Kind::Probe,
                      .ackError = AckErrorFlag != 0,
                      .waitError = WaitErrorFlag != 0,
                      .otherError = OtherErrorFlag != 0};
    if (subAddress) frame.bytes.push_back(*subAddress);
    frame.bytes.insert(frame.bytes.end(), bytes, bytes + count);
    if (read) frame.read.assign(read, read + readCount);
    // A copy: an observer may remove itself while it is told.
    const std::vector<FrameObserver*> observers = observers_;
    for (FrameObserver* observer : observers) observer->OnFrame(frame);
}

bool I2cMaster::I2cWrite(uint8_t address, const uint8_t* bytes, int count) {
    const LongOperation busy(*this);
    if (!OffLine) {
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
    const bool wire = !OffLine;
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
    if (OffLine) return ErrorFree();
    ReceiveReadFrame(address | 0x01, buffer, count);
    Tell(FrameRecord::Kind::Read, address | 0x01, nullptr, nullptr, 0, buffer, count);
    return ErrorFree();
}

bool I2cMaster::I2cProbe(uint8_t address, uint8_t subAddress, const uint8_t* bytes, int count) {
    const LongOperation busy(*this);
    Probing = true;
    SendAddressedFrame(address, subAddress, bytes, count);
    Probing = false;
    Tell(FrameRecord::Kind::Probe, address & 0xFE, &subAddress, bytes, count);
    return ErrorFree();
}

void I2cMaster::I2cResetErrors() {
    Probing = false;
    AckErrorFlag = 0;
    WaitErrorFlag = 0;
    OtherErrorFlag = 0;
    AckDialogCount = 0;
    WaitDialogCount = 0;
    ResetMasterErrors();
}

}  // namespace qk
