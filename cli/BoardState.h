#pragma once
#include <string>
#include <utility>
#include <vector>

#include "board/VirtualBoard.h"

namespace qk::cli {

// The registers of a virtual board kept in a file between runs (--state), so that a session of
// commands on the virtual board sees what the last one left, as on a real chip: a "# family:"
// line, then one "hh: hh" line per register. A missing file is a board at power-on; a file
// without the family line (as older runs wrote it) is read when its registers fit the board.
//
// The file is locked from load to save, so that runs on one file take turns and none loses
// another's writes, and it is written only when a register changed.
class BoardStateFile {
  public:
    explicit BoardStateFile(std::string path);
    ~BoardStateFile();
    BoardStateFile(const BoardStateFile&) = delete;
    BoardStateFile& operator=(const BoardStateFile&) = delete;

    // Waits for the file's lock, then loads it into `board` (of `chip`); the reason
    // ("FILE:LINE: TEXT: why") when it is refused, and then the board is left as it was.
    std::string Load(board::Chip chip, board::VirtualBoard& board);
    // Writes every register of `board` whole or not at all when one differs from what was loaded;
    // the reason when that fails.
    std::string Save(const board::VirtualBoard& board);

  private:
    std::string Lock();

    std::string path_;
    int descriptor_ = -1;  // holds the lock
    bool created_ = false;
    bool saved_ = false;
    const char* family_ = "";
    std::vector<std::pair<uint8_t, uint8_t>> loaded_;
};

}  // namespace qk::cli
