#include "gui/session/ChipSession.h"

#include <algorithm>

#include "core/bus/Adapters.h"
#include "core/chips/RegisterMap.h"

namespace qk {

ChipGeneration GenerationOf(ChipFamily family) {
    return family == ChipFamily::QK330 ? ChipGeneration::QK330 : ChipGeneration::First;
}

ChipSession::ChipSession(PortIo& port, QObject* parent)
    : QObject(parent), port_(port), log_(TransactionLog::Display{}), bus_(port, log_) {
    if (!port_.Setup()) portSetupError_ = port_.SetupError();
    WireImages();
    firstGeneration_.SetRefresh([this](int entry) {
        emit registerRefreshed(ChipFamily::QK310, QK310RegisterImage::SubAddressOf(entry));
    });
    qk330_.SetRefresh({.entry =
                           [this](int entry) {
                               emit registerRefreshed(ChipFamily::QK330,
                                                      QK330RegisterImage::SubAddressOf(entry));
                           },
                       .wordsRestored = [this] { EmitOffsetWordsRestored(); }});
}

void ChipSession::EmitOffsetWordsRestored() {
    for (const RegisterInfo& reg : QK330Map().registers)
        if (reg.conversion == Conversion::PadcOffset || reg.conversion == Conversion::QK330DcOffset)
            emit offsetWordRestored(reg.subAddress);
}

// Register frames go to the master in force, at the address in force, held back by MUTE ALL.
void ChipSession::WireImages() {
    firstGeneration_.SetWiring({&Master(), [this] { return deviceAddress_; },
                                [this] { return MuteAllEngaged(ChipGeneration::First); }});
    qk330_.SetWiring({&Master(), [this] { return deviceAddress_; },
                      [this] { return MuteAllEngaged(ChipGeneration::QK330); }});
}

ChipSession::~ChipSession() = default;

I2cMaster& ChipSession::Master() {
    return adapter_ ? static_cast<I2cMaster&>(*adapter_) : bus_;
}

bool ChipSession::UseAdapter(const AdapterChoice& choice) {
    adapter_ = MakeAdapterBus(choice, log_);
    if (!adapter_) return false;
    adapter_->SetOffLine(offLine_);
    WireImages();
    return adapter_->Setup();
}

std::string ChipSession::AdapterSetupError() const {
    return adapter_ ? adapter_->SetupError() : "";
}

void ChipSession::SetLogDisplay(TransactionLog::Display display) {
    log_.SetDisplay(std::move(display));
}

void ChipSession::SetOffLine(bool offLine) {
    if (offLine == offLine_) return;
    offLine_ = offLine;
    bus_.SetOffLine(offLine);
    if (adapter_) adapter_->SetOffLine(offLine);
    emit offLineChanged(offLine);
}

void ChipSession::SetSelectedChip(const ChipInfo* chip) {
    chip_ = chip;
    emit chipSelected(chip);
}

bool ChipSession::MuteAllEngaged(ChipGeneration generation) const {
    return muteAll_[static_cast<int>(generation)];
}

void ChipSession::SetMuteAllEngaged(ChipGeneration generation, bool engaged) {
    muteAll_[static_cast<int>(generation)] = engaged;
}

// Each login attempt shows or hides the controls again, also when the state stays.
void ChipSession::SetLoggedIn(bool loggedIn) {
    loggedIn_ = loggedIn;
    emit loginChanged(loggedIn);
}

// The windows redraw through the refresh of a chip selection (DefaultImage lent for the time of
// it) with the bus silent. The refresh paths store what they would have sent, which need not be
// what the chip holds: the image then gets exactly its values back, and the windows that the
// refresh does not reach follow the change reports.
template <typename Image>
void ChipSession::ShowImageRegisters(Image& image, ChipFamily family,
                                     const std::vector<uint8_t>& registers) {
    const RegisterBus::SilentHold silent;
    const auto shown = image.CurrentImage;
    const auto defaults = image.DefaultImage;
    image.DefaultImage = shown;
    image.LoadImageFromDefaults();
    image.DefaultImage = defaults;
    for (uint8_t reg : registers) {
        image.CurrentImage = shown;
        emit registerChanged(family, reg);
    }
    image.CurrentImage = shown;
}

void ChipSession::ShowRegisters(ChipFamily family, const std::vector<uint8_t>& registers) {
    if (family == ChipFamily::QK330)
        ShowImageRegisters(qk330_, family, registers);
    else
        ShowImageRegisters(firstGeneration_, family, registers);
}

void ChipSession::ShowAllRegisters(ChipFamily family) {
    std::vector<uint8_t> registers;
    if (family == ChipFamily::QK330)
        for (int entry = 0; entry < QK330RegisterImage::Entries; ++entry)
            registers.push_back(QK330RegisterImage::SubAddressOf(entry));
    else
        for (int entry = 0; entry < QK310RegisterImage::Entries; ++entry)
            registers.push_back(QK310RegisterImage::SubAddressOf(entry));
    ShowRegisters(family, registers);
}

}  // namespace qk
