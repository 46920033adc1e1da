#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "core/snapshot/Snapshot.h"

namespace qk {

// A snapshot as the file holds it: "#" header lines, then one "hh: hh" line per register in
// address order ("XX" for one that could not be read), each with its name and fields decoded
// after "#" (a value of several bytes on its first line).
std::string FormatSnapshot(const Snapshot& snapshot);

struct ParsedSnapshot {
    std::optional<Snapshot> snapshot;
    std::string error;  // "value 1FF is over FFh: 03: 1ff" when refused
    // Refused because the file does not name its chip and the family was not given.
    bool chipUnnamed = false;
    int line = 0;  // the line refused, from 1; 0 when the refusal is the whole file's
};

// "FILE:7: value 1FF is over FFh: 03: 1ff", or "FILE: the file is empty": a refusal as every
// program reports an error in a file.
std::string SnapshotErrorText(const std::string& file, const ParsedSnapshot& parsed);

// Reads a snapshot of `family`: comments, blank lines, either case and a UTF-8 byte order mark at
// the start are accepted. Refused: a
// malformed line, a value that is not two hex digits (or XX), an address the family does not have,
// a duplicate address, one byte of a value of several bytes without the others, a file of the
// other family (its chip line or its addresses), an empty or binary text, and a file without a
// "# chip:" line unless `familyGiven` (the user named the chip).
ParsedSnapshot ParseSnapshot(std::string_view text, ChipFamily family, bool familyGiven = false);
// The same for the family the file's chip line names; refused without one.
ParsedSnapshot ParseSnapshotOfItsChip(std::string_view text);

}  // namespace qk
