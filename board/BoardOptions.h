#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "board/BoardEvents.h"
#include "board/VirtualBoard.h"
#include "core/cmdline/OptionTable.h"

namespace qk::board {

// The virtual board that qk3xx-virtual plays, as chosen on its command line.
struct BoardOptions {
    Chip chip = Chip::QK310;
    bool noDevice = false;                          // --chip none: nothing on the bus answers
    uint8_t writeAddress = kChipWriteAddresses[0];  // --address 0x1A
    Fault fault = Fault::None;
    int stretchPolls = 0;       // --fault stretch:N
    uint8_t stuckRegister = 0;  // --fault stuck-bit:REG:BIT
    int stuckBit = 0;
    std::vector<TimedEvent> events;  // --events "2s:lrclk-loss,+5s:clear-lrclk every 30s"
    std::string tracePath;           // --trace FILE.vcd
};

using ParsedOptions = cmdline::Parsed<BoardOptions>;

// Reads the arguments after the program name: --chip, --address, --fault, --events, --trace (each
// as "--name value" or "--name=value"), --help, --version and Qt's own options. Anything else is an
// error.
ParsedOptions ParseBoardOptions(const std::vector<std::string>& arguments);

// "qk310, qk320, qk350, qk330, unknown or none": the chips --chip takes.
std::string ChipChoices();

// The --help text: the options, their choices and the defaults.
std::string BoardOptionsHelp(const std::string& program);

// A board as the options describe it.
VirtualBoard MakeBoard(const BoardOptions& options);

}  // namespace qk::board
