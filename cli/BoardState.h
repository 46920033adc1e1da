#pragma once
#include <string>

#include "board/VirtualBoard.h"

namespace qk::cli {

// The registers of a virtual board kept in a file between runs (--state), so that a session of
// commands on the virtual board sees what the last one left, as on a real chip. One "hh: hh" line
// per register. A missing file is a board at power-on.
// Loads the file into `board`; the reason ("FILE:LINE: TEXT: why") when it is refused, and then
// the board is left as it was.
std::string LoadBoardState(const std::string& path, board::VirtualBoard& board);
// Writes every register of `board` whole or not at all; the reason when that fails.
std::string SaveBoardState(const std::string& path, const board::VirtualBoard& board);

}  // namespace qk::cli
