#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "snapshot/Snapshot.h"

namespace qk {

// A snapshot as the file holds it: "#" header lines, then one "hh: hh" line per register in
// address order ("XX" for one that could not be read), each with its name and fields decoded
// after "#" (a value of several bytes on its first line).
std::string FormatSnapshot(const Snapshot& snapshot);

struct ParsedSnapshot {
    std::optional<Snapshot> snapshot;
    std::string error;  // "line 7: value 1FF is over FFh: 03: 1ff" when refused
};

// Reads a snapshot of `family`: comments, blank lines and either case are accepted; a malformed
// line, an address the family does not have, a value over FFh, a duplicate address, a file of the
// other family (its chip line or its addresses), an empty or binary text are refused.
ParsedSnapshot ParseSnapshot(std::string_view text, ChipFamily family);

}  // namespace qk
