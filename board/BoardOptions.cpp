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

// Each option and what it does with its value; false, with `error` set, for a bad value.
struct OptionHandler {
    const char* name;
    bool (*apply)(const std::string& value, BoardOptions& options, std::string& error);
};
constexpr OptionHandler kOptions[] = {
    {"--chip", &ApplyChip},     {"--address", &ApplyAddress}, {"--fault", &ApplyFault},
    {"--events", &ApplyEvents}, {"--trace", &ApplyTrace},
};

ParsedOptions Refuse(std::string error) {
    ParsedOptions parsed;
    parsed.outcome = ParsedOptions::Outcome::Error;
    parsed.error = std::move(error);
    return parsed;
}

// One line per fault: "psu-uv, clear-psu-uv (PSU UV; qk330)".
std::string EventHelpLines() {
    std::string lines;
    for (const BoardEvent& event : BoardEvents()) {
        const bool first = FindStatusBit(ChipFamily::QK310, event.bitName).has_value();
        const bool second = FindStatusBit(ChipFamily::QK330, event.bitName).has_value();
        lines += std::string(23, ' ') + event.raise + ", " + event.clear + " (" + event.bitName;
        lines += first && second ? "; every chip)\n"
                 : first         ? "; qk310, qk320, qk350)\n"
                                 : "; qk330)\n";
    }
    return lines;
}

}  // namespace

ParsedOptions ParseBoardOptions(const std::vector<std::string>& arguments) {
    ParsedOptions parsed;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help") {
            parsed.outcome = ParsedOptions::Outcome::Help;
            return parsed;
        }
        const size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const auto handler = std::find_if(std::begin(kOptions), std::end(kOptions),
                                          [&](const OptionHandler& h) { return name == h.name; });
        if (handler == std::end(kOptions)) {
            if (name == "--help") return Refuse("--help takes no value");
            return Refuse("unknown option '" + argument + "'");
        }
        std::string value;
        if (equals != std::string::npos) {
            value = argument.substr(equals + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            return Refuse(name + " needs a value");
        }
        std::string error;
        if (!handler->apply(value, parsed.options, error)) return Refuse(name + ": " + error);
    }
    if (parsed.options.noDevice && parsed.options.fault != Fault::None)
        return Refuse("--chip none (no device on the bus) cannot be combined with a --fault");
    for (const TimedEvent& event : parsed.options.events) {
        std::string error;
        if (!EventFitsChip(event.name, parsed.options.chip, error))
            return Refuse("--events: " + error);
    }
    return parsed;
}

std::string BoardOptionsHelp(const std::string& program) {
    return "Usage: " + program +
           " [--chip CHIP] [--address ADDRESS] [--fault FAULT] [--events LIST]\n"
           "       [--trace FILE.vcd]\n"
           "\n"
           "QK3xx Software on a virtual evaluation board.\n"
           "\n"
           "  --chip CHIP        the chip on the board: qk310, qk320, qk350, qk330, unknown\n"
           "                     (an unrecognised ID), or none (nothing answers on the bus)\n"
           "                     default: qk310\n"
           "  --address ADDRESS  the chip's I2C address: 0x1A or 0x1B\n"
           "                     default: 0x1A\n"
           "  --fault FAULT      a fault of the board: none, scl-stuck (SCL held low),\n"
           "                     sda-stuck (SDA held low), data-nack (data bytes are not\n"
           "                     acknowledged), or stretch:N (the chip holds SCL low for N\n"
           "                     status polls after each clock release), or\n"
           "                     stuck-bit:REG:BIT (bit BIT of register REG, in hex, reads 0\n"
           "                     whatever is written)\n"
           "                     default: none\n"
           "  --events LIST      faults the chip raises in its status registers, as\n"
           "                     TIME:EVENT items separated by commas, TIME in seconds (2s,\n"
           "                     0.5s) or milliseconds (1500ms) from start, for example\n"
           "                     \"2s:lrclk-loss,5s:clear-lrclk,8s:psu-uv\"; a status bit stays\n"
           "                     latched until the register editor's Zero. EVENT begins\n"
           "                     or ends a fault (its status bit and the chips that have it):\n" +
           EventHelpLines() +
           "  --trace FILE.vcd   writes SCL and SDA with their times to a VCD file that\n"
           "                     logic-analyser programs (sigrok, PulseView) open\n"
           "  --help             shows this text\n";
}

VirtualBoard MakeBoard(const BoardOptions& options) {
    VirtualBoard board(options.chip, options.writeAddress);
    board.SetFault(options.noDevice ? Fault::NoDevice : options.fault, options.stretchPolls);
    if (!options.noDevice && options.fault == Fault::StuckBit)
        board.SetStuckBit(options.stuckRegister, options.stuckBit);
    return board;
}

}  // namespace qk::board
