#pragma once
#include <string>
#include <vector>

#include "core/snapshot/Snapshot.h"

namespace qk {

// One side of a comparison: its label ("file", "chip", "default") and its bytes.
struct ComparedValues {
    const char* label;
    ByteLookup bytes;
};

// The fields of a register whose decoded texts differ between the sides, one line each:
// "Ch1 Volume (26h-27h): file -12.00 dB, chip 0.00 dB, default 0.00 dB",
// "Sys Control 1 Speed Mode: file 1, chip 0, default 0".
std::vector<std::string> FieldDifferences(const RegisterInfo& info, const RegisterMap& map,
                                          const std::vector<ComparedValues>& sides);
// The same without the register's name: "Ch1 UnMute: wrote 1, read 0", "wrote -12.00 dB, read
// 0.00 dB".
std::vector<std::string> FieldChanges(const RegisterInfo& info, const RegisterMap& map,
                                      const std::vector<ComparedValues>& sides);

// The bytes of a register as hex ("03 cf"), "XX" for an unreadable one, "-" for one not given.
std::string RegisterBytesText(const RegisterInfo& info, const RegisterMap& map,
                              const ByteLookup& bytes);

// A register of the file whose value differs from the chip's or from the power-on default.
struct Difference {
    uint8_t subAddress;  // the first byte's
    std::string name;    // "Ch1 Volume (26h-27h)"
    std::string file, chip, defaultValue;
    std::vector<std::string> fields;
};

// The registers the file holds that differ from `chip` or from `defaults`, in address order. The
// status registers, whose values change by themselves, only with `includeVolatile`.
std::vector<Difference> CompareSnapshots(const Snapshot& file, const Snapshot& chip,
                                         const Snapshot& defaults, bool includeVolatile = false);
// The differences as a plain-text table, one register a line and its fields beneath.
std::string DifferencesText(const std::vector<Difference>& differences);

}  // namespace qk
