#pragma once
#include <functional>
#include <string>
#include <vector>

#include "core/bus/I2cMaster.h"
#include "core/chips/RegisterBus.h"
#include "core/snapshot/Snapshot.h"

namespace qk {

// One frame of a restore: a register's bytes from its sub-address (two for a word).
struct RegisterWrite {
    uint8_t subAddress;
    std::vector<uint8_t> bytes;
    // "Sys Control 1 (03h)", "Ch1 Volume (26h-27h)", "SE OFFSET (32h-35h) byte 33h",
    // "mute all channels (11h)"
    std::string what;
    bool readBack;         // read back and compared afterwards
    bool fromFile = true;  // false for the first write, that mutes the channels
};

struct RestoreOptions {
    bool includeTestRegisters = false;
    // MUTE ALL is engaged: every other register is written, the mute register keeps every
    // channel muted on the chip (its last write too); the file's value is held for the image.
    bool keepChannelsMuted = false;
};

// What a restore of a snapshot writes, in wire order: the mute register with every channel muted;
// every writable register of the file in address order (status never; test registers only when
// included; action bits inactive); the mute register as the file has it, last.
struct RestorePlan {
    std::vector<RegisterWrite> writes;
    std::vector<std::string> notes;  // registers skipped and bits changed, and why
    // The file's mute-register value, when keepChannelsMuted held it back.
    std::optional<uint8_t> heldMuteValue;
};
RestorePlan PlanRestore(const Snapshot& snapshot, const RestoreOptions& options);

// Between registers: the registers done and all there are; false cancels.
using WorkProgress = std::function<bool(int done, int total)>;

struct RestoreOutcome {
    enum class Result { Verified, Mismatches, NotVerified, BusError, Cancelled };
    Result result = Result::Verified;
    int registersWritten = 0;             // register bytes of the file written
    std::vector<std::string> written;     // the frames sent, by what they wrote
    std::vector<std::string> notWritten;  // after a bus error or a cancel
    // Byte by byte, then decoded: "Soft Mute (11h): wrote 3f, read 3e (Ch1 UnMute: wrote 1, read
    // 0)"
    std::vector<std::string> mismatches;
    int registersDiffering = 0;
    int writeOnly = 0;    // registers written that cannot be read back
    Snapshot readBack;    // what the verification read
    std::string message;  // one line for the window or the terminal
};

// Runs the plan on the chip behind `registers`, then reads back every register written (but the
// write-only ones) and compares its bytes. Bus errors are cleared first; one stops the restore at
// once, and the outcome names what was written and what was not. Off line the frames are only
// logged and the verification is skipped; so it is when the caller asks for no `verify` (a restore
// that must be quick, or a chip whose read-back is known to differ).
RestoreOutcome RunRestore(const RestorePlan& plan, ChipFamily family, RegisterBus& registers,
                          I2cMaster& bus, const WorkProgress& progress = {}, bool verify = true);

// The registers of the selected chip into a snapshot: read from the chip (a register the bus fails
// on, and every one after it, "XX"), or off line from `image`, the program's copy. Write-only
// registers come from `image` either way. Returns nullopt when cancelled.
std::optional<Snapshot> TakeSnapshot(ChipFamily family, RegisterBus& registers, I2cMaster& bus,
                                     const ByteLookup& image, const WorkProgress& progress = {});

}  // namespace qk
