#include "board/BoardOptions.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>

namespace qk::board {

namespace {

struct ChipChoice {
    const char* name;
    Chip chip;
    bool noDevice;
};
constexpr ChipChoice kChips[] = {
    {"qk310", Chip::QK310, false}, {"qk320", Chip::QK320, false},     {"qk350", Chip::QK350, false},
    {"qk330", Chip::QK330, false}, {"unknown", Chip::Unknown, false}, {"none", Chip::QK310, true},
};

struct AddressChoice {
    const char* name;
    uint8_t writeAddress;
};
constexpr AddressChoice kAddresses[] = {{"0x1a", 0x34}, {"0x1b", 0x36}};

struct FaultChoice {
    const char* name;
    Fault fault;
};
constexpr FaultChoice kFaults[] = {
    {"none", Fault::None},
    {"scl-stuck", Fault::SclStuckLow},
    {"sda-stuck", Fault::SdaStuckLow},
    {"data-nack", Fault::DataNotAcked},
};
constexpr const char kStretch[] = "stretch:";
constexpr const char kStuckBit[] = "stuck-bit:";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

template <typename Choice, size_t N>
const Choice* Find(const Choice (&choices)[N], const std::string& value) {
    const std::string wanted = Lower(value);
    for (const Choice& choice : choices)
        if (wanted == choice.name) return &choice;
    return nullptr;
}

// Reads the N of "stretch:N": a whole number of status polls, at least 1.
bool ParseStretch(const std::string& value, int& polls) {
    const std::string digits = value.substr(sizeof kStretch - 1);
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, polls);
    return error == std::errc() && stop == end && !digits.empty() && polls >= 1;
}

// Reads "stuck-bit:REG:BIT": REG a sub-address in hex ("7c" or "0x7C"), BIT 0..7.
bool ParseStuckBit(const std::string& value, BoardOptions& options) {
    const std::string rest = value.substr(sizeof kStuckBit - 1);
    const size_t colon = rest.find(':');
    if (colon == std::string::npos) return false;
    std::string reg = Lower(rest.substr(0, colon));
    if (reg.rfind("0x", 0) == 0) reg = reg.substr(2);
    const std::string bit = rest.substr(colon + 1);
    unsigned sub = 0;
    int bitNumber = 0;
    const auto [regEnd, regError] = std::from_chars(reg.data(), reg.data() + reg.size(), sub, 16);
    const auto [bitEnd, bitError] = std::from_chars(bit.data(), bit.data() + bit.size(), bitNumber);
    if (reg.empty() || regError != std::errc() || regEnd != reg.data() + reg.size() || sub > 0xFF)
        return false;
    if (bit.empty() || bitError != std::errc() || bitEnd != bit.data() + bit.size() ||
        bitNumber < 0 || bitNumber > 7)
        return false;
    options.stuckRegister = static_cast<uint8_t>(sub);
    options.stuckBit = bitNumber;
    return true;
}

bool ApplyChip(const std::string& value, BoardOptions& options, std::string& error) {
    const ChipChoice* choice = Find(kChips, value);
    if (!choice) {
        error = "'" + value + "' is not a chip: choose qk310, qk320, qk350, qk330, unknown or none";
        return false;
    }
    options.chip = choice->chip;
    options.noDevice = choice->noDevice;
    return true;
}

bool ApplyAddress(const std::string& value, BoardOptions& options, std::string& error) {
    const AddressChoice* choice = Find(kAddresses, value);
    if (!choice) {
        error = "'" + value + "' is not an address: choose 0x1A or 0x1B";
        return false;
    }
    options.writeAddress = choice->writeAddress;
    return true;
}

bool ApplyFault(const std::string& value, BoardOptions& options, std::string& error) {
    if (Lower(value).rfind(kStretch, 0) == 0) {
        int polls = 0;
        if (!ParseStretch(value, polls)) {
            error = "'" + value + "': the N of stretch:N must be a whole number from 1 to " +
                    std::to_string(std::numeric_limits<int>::max());
            return false;
        }
        options.fault = Fault::ClockStretch;
        options.stretchPolls = polls;
        return true;
    }
    if (Lower(value).rfind(kStuckBit, 0) == 0) {
        if (!ParseStuckBit(value, options)) {
            error = "'" + value + "': write stuck-bit:REG:BIT, REG a hex sub-address, BIT 0 to 7";
            return false;
        }
        options.fault = Fault::StuckBit;
        options.stretchPolls = 0;
        return true;
    }
    const FaultChoice* choice = Find(kFaults, value);
    if (!choice) {
        error = "'" + value +
                "' is not a fault: choose none, scl-stuck, sda-stuck, data-nack, stretch:N or "
                "stuck-bit:REG:BIT";
        return false;
    }
    options.fault = choice->fault;
    options.stretchPolls = 0;
    return true;
}

bool ApplyEvents(const std::string& value, BoardOptions& options, std::string& error) {
    return ParseEventSchedule(value, options.events, error);
}

bool ApplyTrace(const std::string& value, BoardOptions& options, std::string& error) {
    if (value.empty()) {
        error = "needs a file name";
        return false;
    }
    options.tracePath = value;
    return true;
}

// qk3xx-virtual's options: add a row for a new one.
constexpr cmdline::Option<BoardOptions> kOptions[] = {
    {.name = "--chip",
     .value = "CHIP",
     .help = "the chip on the board: qk310, qk320, qk350, qk330, unknown\n"
             "(an unrecognised ID), or none (nothing answers on the bus)\n"
             "default: qk310",
     .apply = &ApplyChip},
    {.name = "--address",
     .value = "ADDRESS",
     .help = "the chip's I2C address: 0x1A or 0x1B\n"
             "default: 0x1A",
     .apply = &ApplyAddress},
    {.name = "--fault",
     .value = "FAULT",
     .help = "a fault of the board: none, scl-stuck (SCL held low),\n"
             "sda-stuck (SDA held low), data-nack (data bytes are not\n"
             "acknowledged), stretch:N (the chip holds SCL low for N\n"
             "status polls after each clock release), or\n"
             "stuck-bit:REG:BIT (bit BIT of register REG, in hex, reads 0\n"
             "whatever is written)\n"
             "default: none",
     .apply = &ApplyFault},
    {.name = "--events",
     .value = "LIST",
     .help = "faults the chip raises in its status registers, as\n"
             "TIME:EVENT items separated by commas, TIME in seconds (2s,\n"
             "0.5s) or milliseconds (1500ms) from start, for example\n"
             "\"2s:lrclk-loss,5s:clear-lrclk,8s:psu-uv\"; a status bit stays\n"
             "latched until the register editor's Zero (events below)",
     .apply = &ApplyEvents},
    {.name = "--trace",
     .value = "FILE.vcd",
     .help = "writes SCL and SDA with their times to a VCD file that\n"
             "logic-analyser programs (sigrok, PulseView) open",
     .apply = &ApplyTrace},
};

// One line per fault: "psu-uv, clear-psu-uv (PSU UV; qk330)".
std::string EventHelpLines() {
    std::string lines;
    for (const BoardEvent& event : BoardEvents()) {
        const bool first = FindStatusBit(ChipFamily::QK310, event.bitName).has_value();
        const bool second = FindStatusBit(ChipFamily::QK330, event.bitName).has_value();
        lines += std::string(2, ' ') + event.raise + ", " + event.clear + " (" + event.bitName;
        lines += first && second ? "; every chip)\n"
                 : first         ? "; qk310, qk320, qk350)\n"
                                 : "; qk330)\n";
    }
    return lines;
}

}  // namespace

ParsedOptions ParseBoardOptions(const std::vector<std::string>& arguments) {
    ParsedOptions parsed = cmdline::Parse<BoardOptions>(kOptions, arguments);
    if (parsed.outcome == ParsedOptions::Outcome::Run && parsed.options.noDevice &&
        parsed.options.fault != Fault::None) {
        parsed.outcome = ParsedOptions::Outcome::Error;
        parsed.error = "--chip none (no device on the bus) cannot be combined with a --fault";
    }
    for (const TimedEvent& event : parsed.options.events) {
        std::string error;
        if (parsed.outcome == ParsedOptions::Outcome::Run &&
            !EventFitsChip(event.name, parsed.options.chip, error)) {
            parsed.outcome = ParsedOptions::Outcome::Error;
            parsed.error = "--events: " + error;
        }
    }
    return parsed;
}

std::string BoardOptionsHelp(const std::string& program) {
    return cmdline::Usage(program, "QK3xx Software on a virtual evaluation board.",
                          cmdline::Names<BoardOptions>(kOptions),
                          "EVENT of --events begins or ends a fault (its status bit and the\n"
                          "chips that have it):\n" +
                              EventHelpLines() +
                              "Exit status: 0 when the program ends normally, 1 without a "
                              "graphical\nsession, 2 for a mistake on the command line or a "
                              "trace file that\ncannot be written.\n");
}

VirtualBoard MakeBoard(const BoardOptions& options) {
    VirtualBoard board(options.chip, options.writeAddress);
    board.SetFault(options.noDevice ? Fault::NoDevice : options.fault, options.stretchPolls);
    if (!options.noDevice && options.fault == Fault::StuckBit)
        board.SetStuckBit(options.stuckRegister, options.stuckBit);
    return board;
}

}  // namespace qk::board
