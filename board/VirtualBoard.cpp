#include "board/VirtualBoard.h"

#include <cstdio>
#include <tuple>

#include "core/chips/ChipFacts.h"
#include "core/chips/QK310RegisterMap.h"
#include "core/chips/QK330RegisterMap.h"

namespace qk::board {

namespace {

// Every register of a family's map at its power-on value.
template <size_t N>
void LoadPowerOn(const RegisterInfo (&registers)[N], std::array<uint8_t, 256>& regs,
                 std::array<bool, 256>& exists) {
    for (const RegisterInfo& info : registers) {
        regs[info.subAddress] = info.powerOn;
        exists[info.subAddress] = true;
    }
}

// The Error Status bits that report a fault, and their level while all is well, as the map gives
// each bit's sense.
std::pair<uint8_t, uint8_t> ErrorBitsOf(const RegisterInfo& errorStatus) {
    uint8_t mask = 0, goodLevel = 0;
    for (int bit = 0; bit < 8; ++bit) {
        const BitSense sense = errorStatus.bitSenses[static_cast<size_t>(7 - bit)];
        if (sense == BitSense::Information) continue;
        mask |= static_cast<uint8_t>(1u << bit);
        if (sense == BitSense::FaultWhenClear) goodLevel |= static_cast<uint8_t>(1u << bit);
    }
    return {mask, goodLevel};
}

}  // namespace

std::string DecodedFrame::Text() const {
    std::string text;
    char item[4];
    std::snprintf(item, sizeof item, "%02X", address);
    text += item;
    for (uint8_t b : bytes) {
        std::snprintf(item, sizeof item, " %02X", b);
        text += item;
    }
    return text;
}

const ChipInfo* InfoOf(Chip chip) {
    if (chip == Chip::Unknown) return nullptr;
    return &ChipCatalogue()[static_cast<size_t>(chip)];
}

std::vector<Chip> PlayableChips() {
    std::vector<Chip> chips;
    const std::span<const ChipInfo> catalogue = ChipCatalogue();
    for (size_t row = 0; row < catalogue.size(); ++row)
        if (catalogue[row].virtualBoard) chips.push_back(static_cast<Chip>(row));
    return chips;
}

const char* VirtualBoard::ChipName(Chip chip) {
    const ChipInfo* info = InfoOf(chip);
    return info ? info->fullName : "unknown";
}

VirtualBoard::VirtualBoard(Chip chip, uint8_t writeAddress) : writeAddress_(writeAddress & 0xFE) {
    const ChipInfo* info = InfoOf(chip);
    const ChipFamily family = info ? info->family : ChipFamily::QK310;
    if (family == ChipFamily::QK330) {
        LoadPowerOn(kQK330Registers, regs_, exists_);
    } else {
        LoadPowerOn(kQK310Registers, regs_, exists_);
        readOnly_[0x1D] = true;
        exists_[0x00] = true;
        // The ID bits, with bit 0 set as on the boards' silicon; an unknown chip sets them all.
        constexpr uint8_t Revision = 0x01;
        regs_[ChipIdRegister] = (info ? info->id : ChipIdMask) | Revision;
    }
    readOnly_[0x00] = true;
    // 01h D7 is "No Clip" on the QK330 (set while all is well); on the first generation D7 is no
    // error bit.
    constexpr uint8_t ErrorStatus = 0x01;
    static_assert(kQK330Registers[ErrorStatus].subAddress == ErrorStatus &&
                  kQK310Registers[ErrorStatus].subAddress == ErrorStatus);
    std::tie(errorMask_, errorFreeLevel_) = ErrorBitsOf(
        family == ChipFamily::QK330 ? kQK330Registers[ErrorStatus] : kQK310Registers[ErrorStatus]);
}

void VirtualBoard::BeginCondition(uint8_t reg, uint8_t mask, bool activeLow) {
    EndCondition(reg, mask);
    conditions_.push_back({reg, mask, activeLow});
    LatchConditions();
}

void VirtualBoard::EndCondition(uint8_t reg, uint8_t mask) {
    std::erase_if(conditions_, [&](const Condition& c) { return c.reg == reg && c.mask == mask; });
}

void VirtualBoard::LatchConditions() {
    for (const Condition& c : conditions_) {
        if (c.activeLow)
            regs_[c.reg] &= static_cast<uint8_t>(~c.mask);
        else
            regs_[c.reg] |= c.mask;
    }
    constexpr uint8_t ErrorStatus = 0x01, NoErrors = 0x01;
    const bool errorFree = ((regs_[ErrorStatus] ^ errorFreeLevel_) & errorMask_) == 0;
    regs_[0x00] = static_cast<uint8_t>((regs_[0x00] & ~NoErrors) | (errorFree ? NoErrors : 0));
}

void VirtualBoard::SetFault(Fault fault, int stretchPolls) {
    fault_ = fault;
    stretchPolls_ = fault == Fault::ClockStretch ? stretchPolls : 0;
    stretchLeft_ = 0;
    Settle();
}

void VirtualBoard::SetStuckBit(uint8_t sub, int bit) {
    SetFault(Fault::StuckBit);
    stuckLow_[sub] = static_cast<uint8_t>(1u << bit);
    regs_[sub] &= static_cast<uint8_t>(~stuckLow_[sub]);
}

bool VirtualBoard::LineSda() const {
    return masterSda_ && chipSda_ && fault_ != Fault::SdaStuckLow;
}

bool VirtualBoard::LineScl() const {
    return masterScl_ && stretchLeft_ == 0 && fault_ != Fault::SclStuckLow;
}

uint8_t VirtualBoard::PortRead(int port) {
    ++accesses_;
    if (port != StatusPort) return 0;
    const uint8_t status = (sda_ ? StatusSda : 0) | (scl_ ? StatusScl : 0);
    if (stretchLeft_ > 0 && --stretchLeft_ == 0) Settle();  // the chip lets the clock go
    return status;
}

void VirtualBoard::PortWrite(int port, uint8_t value) {
    ++accesses_;
    if (port == DataPort) {
        dataWrites_.push_back(value);
        return;
    }
    if (port != ControlPort) return;
    const bool sda = value & ControlSda;
    const bool scl = value & ControlScl;
    // One write may move both lines. A falling clock is taken first and a rising clock last, so
    // data changes always fall into the clock's low phase, as on the real adapter.
    if (masterScl_ && !scl) {
        masterScl_ = false;
        Settle();
        masterSda_ = sda;
        Settle();
    } else {
        masterSda_ = sda;
        Settle();
        if (!masterScl_ && scl) {
            masterScl_ = true;
            stretchLeft_ = stretchPolls_;
            Settle();
        }
    }
}

// Brings the line levels up to date and lets the chip react to each edge, until nothing moves.
void VirtualBoard::Settle() {
    for (;;) {
        const bool sda = LineSda();
        const bool scl = LineScl();
        if (scl != scl_) {
            scl_ = scl;
            if (lineObserver_) lineObserver_->OnLines(scl_, sda_);
            if (scl)
                OnSclRise();
            else
                OnSclFall();
            continue;
        }
        if (sda != sda_) {
            sda_ = sda;
            if (lineObserver_) lineObserver_->OnLines(scl_, sda_);
            if (scl_) {
                if (sda)
                    OnStop();
                else
                    OnStart();
            }
            continue;
        }
        return;
    }
}

void VirtualBoard::OnStart() {
    state_ = State::Address;
    bitCount_ = 0;
    shift_ = 0;
    chipSda_ = true;
    pointerSet_ = false;
    currentFrame_ = -1;
}

void VirtualBoard::OnStop() {
    state_ = State::Idle;
    chipSda_ = true;
    currentFrame_ = -1;
}

void VirtualBoard::OnSclRise() {
    switch (state_) {
        case State::Address:
        case State::Receive:
            shift_ = static_cast<uint8_t>((shift_ << 1) | (sda_ ? 1 : 0));
            ++bitCount_;
            break;
        case State::MasterAckSlot:
            masterAcked_ = !sda_;
            break;
        default:
            break;
    }
}

void VirtualBoard::OnSclFall() {
    switch (state_) {
        case State::Address:
        case State::Receive:
            if (bitCount_ == 8) ByteReceived();
            break;
        case State::AckSlot:
            chipSda_ = true;
            if (currentFrame_ < 0) {
                state_ = State::Ignore;
            } else if (frames_[currentFrame_].IsRead()) {
                LoadByteToSend();
            } else {
                state_ = State::Receive;
                bitCount_ = 0;
                shift_ = 0;
            }
            break;
        case State::Send:
            if (++bitCount_ < 8) {
                chipSda_ = (shift_ >> (7 - bitCount_)) & 1;
            } else {
                frames_[currentFrame_].bytes.push_back(shift_);  // all eight bits went out
                chipSda_ = true;
                state_ = State::MasterAckSlot;
                masterAcked_ = false;
            }
            break;
        case State::MasterAckSlot:
            if (masterAcked_)
                LoadByteToSend();
            else
                state_ = State::Ignore;
            break;
        default:
            break;
    }
}

void VirtualBoard::ByteReceived() {
    const uint8_t byte = shift_;
    if (state_ == State::Address) {
        frames_.push_back(DecodedFrame{byte, {}});
        const bool present = fault_ != Fault::NoDevice && (byte & 0xFE) == writeAddress_;
        currentFrame_ = present ? static_cast<int>(frames_.size()) - 1 : -1;
        ackThisByte_ = present;
        if (!present) {
            // Another address or no chip: the bus is watched but nothing answers.
            state_ = State::Ignore;
            return;
        }
    } else {
        if (currentFrame_ >= 0) frames_[currentFrame_].bytes.push_back(byte);
        StoreRegister(byte);
        ackThisByte_ = fault_ != Fault::DataNotAcked;
    }
    state_ = State::AckSlot;
    chipSda_ = !ackThisByte_;
}

void VirtualBoard::StoreRegister(uint8_t value) {
    if (!pointerSet_) {
        pointer_ = value;
        pointerSet_ = true;
        return;
    }
    if (exists_[pointer_] && !readOnly_[pointer_]) {
        regs_[pointer_] = static_cast<uint8_t>(value & ~stuckLow_[pointer_]);
        LatchConditions();
    }
    ++pointer_;
}

void VirtualBoard::LoadByteToSend() {
    shift_ = exists_[pointer_] ? regs_[pointer_] : 0x00;
    ++pointer_;
    state_ = State::Send;
    bitCount_ = 0;
    chipSda_ = (shift_ >> 7) & 1;
}

std::vector<std::string> VirtualBoard::FrameTexts() const {
    std::vector<std::string> texts;
    for (const auto& frame : frames_) texts.push_back(frame.Text());
    return texts;
}

std::vector<std::pair<uint8_t, uint8_t>> VirtualBoard::ListRegisters() const {
    std::vector<std::pair<uint8_t, uint8_t>> list;
    for (int sub = 0; sub < 256; ++sub)
        if (exists_[sub]) list.emplace_back(static_cast<uint8_t>(sub), regs_[sub]);
    return list;
}

std::string VirtualBoard::RegisterListing() const {
    std::string text;
    char item[12];
    for (auto [sub, value] : ListRegisters()) {
        std::snprintf(item, sizeof item, "%s%02Xh=%02X", text.empty() ? "" : " ", sub, value);
        text += item;
    }
    return text;
}

}  // namespace qk::board
