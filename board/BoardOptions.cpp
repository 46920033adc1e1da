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
    const FaultChoice* choice = Find(kFaults, value);
    if (!choice) {
        error = "'" + value +
                "' is not a fault: choose none, scl-stuck, sda-stuck, data-nack or stretch:N";
        return false;
    }
    options.fault = choice->fault;
    options.stretchPolls = 0;
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
             "acknowledged), or stretch:N (the chip holds SCL low for N\n"
             "status polls after each clock release)\n"
             "default: none",
     .apply = &ApplyFault},
};

}  // namespace

ParsedOptions ParseBoardOptions(const std::vector<std::string>& arguments) {
    ParsedOptions parsed = cmdline::Parse<BoardOptions>(kOptions, arguments);
    if (parsed.outcome == ParsedOptions::Outcome::Run && parsed.options.noDevice &&
        parsed.options.fault != Fault::None) {
        parsed.outcome = ParsedOptions::Outcome::Error;
        parsed.error = "--chip none (no device on the bus) cannot be combined with a --fault";
    }
    return parsed;
}

std::string BoardOptionsHelp(const std::string& program) {
    return cmdline::Usage(program, "QK3xx Software on a virtual evaluation board.",
                          cmdline::Names<BoardOptions>(kOptions),
                          "Exit status: 0 when the program ends normally, 1 without a graphical\n"
                          "session, 2 for a mistake on the command line.\n");
}

VirtualBoard MakeBoard(const BoardOptions& options) {
    VirtualBoard board(options.chip, options.writeAddress);
    board.SetFault(options.noDevice ? Fault::NoDevice : options.fault, options.stretchPolls);
    return board;
}

}  // namespace qk::board
