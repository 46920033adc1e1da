#pragma once
#include <string>

#include "core/snapshot/SnapshotRestore.h"

namespace qk::cli {

// What `export` writes a snapshot's init sequence as.
enum class ExportFormat { C, I2ctransfer, Script };

struct ExportRequest {
    ExportFormat format = ExportFormat::Script;
    std::string fileName;         // named in the header
    std::string bus;              // i2ctransfer: the adapter's number; empty: the script's argument
    uint8_t writeAddress = 0x34;  // the chip's 8-bit write address
};

// The frames of `plan` (the restore's, in its order) as a C array of {sub-address, value} pairs
// with the decoded fields as comments, a shell script of i2ctransfer lines, or a `run` script.
std::string ExportInitSequence(const Snapshot& snapshot, const RestorePlan& plan,
                               const ExportRequest& request);

}  // namespace qk::cli
