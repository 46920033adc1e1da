#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "board/BoardOptions.h"
#include "core/bus/AdapterBus.h"
#include "core/bus/I2cMaster.h"
#include "core/chips/ChipCatalogue.h"
#include "core/chips/RegisterBus.h"

namespace qk::cli {

// Which bus carries the frames, as the global options chose it.
struct BusChoice {
    enum class Carrier { Port, I2cDev, Ftdi, Virtual };
    Carrier carrier = Carrier::Port;
    bool carrierChosen = false;            // on the command line
    std::string device = "/dev/parport0";  // Port, I2cDev; Ftdi: the selector
    I2cSpeed speed = I2cSpeed::Standard;   // Ftdi
    board::BoardOptions board;             // Virtual
    std::optional<uint8_t> address;        // --address, as the 8-bit write address
    const ChipInfo* chip = nullptr;        // --chip
    std::string logFile;                   // --log
    std::string stateFile;                 // --state: the virtual board's registers
};

// The bus a subcommand works on: the carrier opened, the clock calibrated and the lines checked
// (parallel port), bus errors told on the error stream once each, every frame logged with --log,
// and the chip's address found. Each step answers with an exit code; Done lets the next go on.
class BusSession : private BusErrorListener {
  public:
    BusSession(BusChoice choice, std::ostream& err);
    ~BusSession() override;

    int Open();
    // Keeps the virtual board's registers in the --state file when one changed, and closes the
    // log; Done, or UsageError when either (or a line of the log before) could not be written.
    int Close();
    // Probes --address, or 0x1a then 0x1b; Differs (no chip) or BusError (a line held low) with
    // the reason told. A chip that acknowledges its address but not the probe's sub-address is
    // found: the frames that follow tell its data errors.
    int FindChip();
    // The chip at the address found: its ID, and --chip where the ID cannot tell. `chip` is null
    // (and Differs returned, with the reason told) for an ID no chip gives unless --chip names it.
    int Identify(const ChipInfo*& chip, uint8_t& id);

    I2cMaster& Master() { return *master_; }
    RegisterBus& Registers() { return registers_; }
    uint8_t Address() const { return address_; }
    // Unavailable once the adapter went away (unplugged); BusError once an acknowledge or the
    // clock has failed (already told); else Done.
    int Outcome() const;
    bool AdapterLost() const { return adapter_ && adapter_->Lost(); }
    // The address the next frames go to, for the acknowledge error's text, when it is not the
    // chip's (a replay of frames to other addresses); empty: the chip's again.
    void AimAt(std::optional<uint8_t> writeAddress) { aim_ = writeAddress; }
    // The frames sent so far, as the log counts them (the probes aside).
    int FramesSent() const;

  private:
    void OnBusError(const BusErrorEvent& event) override;
    // Listens to a master just made, before its first frame (the calibration's).
    void Hear(I2cMaster& master) { master.AddBusErrorListener(this); }
    int OpenPort();
    // An i2c-dev adapter or an FTDI bridge.
    int OpenAdapter(AdapterChoice::Carrier carrier);
    int OpenVirtual();
    int CheckLines();
    void LogFailed(const std::string& reason);

    struct Parts;
    BusChoice choice_;
    std::ostream& err_;
    std::unique_ptr<Parts> parts_;
    board::VirtualBoard* board_ = nullptr;  // the virtual board, when it carries the frames
    AdapterBus* adapter_ = nullptr;         // the adapter, when one carries them
    I2cMaster* master_ = nullptr;
    RegisterBus registers_;
    uint8_t address_ = kChipWriteAddresses[0];
    std::optional<uint8_t> aim_;
    bool logFailed_ = false;
    int probeUnacknowledged_ = -1;  // the probe's first byte without an acknowledge
};

}  // namespace qk::cli
