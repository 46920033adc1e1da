#pragma once
#include <string>

#include "core/snapshot/SnapshotText.h"

namespace qk {

// Files larger than this are refused before they are read.
constexpr long kMaxSnapshotFileSize = 1024 * 1024;

// Reads and parses a snapshot file of `family`; the error names the file's problem ("cannot open
// ...: No such file or directory", "the file is larger than 1 MiB", or the parser's line). A file
// that does not name its chip is read only when `familyGiven` (the user named the chip).
ParsedSnapshot ReadSnapshotFile(const std::string& path, ChipFamily family,
                                bool familyGiven = false);
// The same for the family the file's chip line names.
ParsedSnapshot ReadSnapshotFileOfItsChip(const std::string& path);

// Writes `text` to `path` whole or not at all: a temporary file in the same folder, flushed to
// the disk, then renamed over the old file. A symbolic link is followed to the file it leads to
// (the link stays a link); a folder, a device or a FIFO is never saved over. A signal that ends
// the program during the save removes the temporary file. Returns an empty text, or why the save
// failed (the old file is then left as it was).
std::string SaveTextFile(const std::string& path, const std::string& text);

}  // namespace qk
